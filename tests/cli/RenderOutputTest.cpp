// The tool's pictures are the window's: same paint path, same BMP bytes, PNG with the same pixels.
#include <gtest/gtest.h>

#include "CliProcess.h"
#include "ExpectedScreen.h"
#include "support/Files.h"

namespace quorvel::test {
namespace {

struct RenderCase {
    QStringList arguments;
    WindowState window;
};

class CliRenderMatchesWindow : public ::testing::TestWithParam<RenderCase> {};

TEST_P(CliRenderMatchesWindow, BmpBytesEqualTheWindowExportAndPngHasTheSamePixels) {
    const RenderCase& c = GetParam();
    TemporaryFolder folder;
    for (const char* output : {"screen.bmp", "screen.png"}) {
        const CliRun run =
            RunCliTool(QStringList{"render", QString::fromStdString(kDemoFile)}
                       << c.arguments << "-o" << QString::fromStdString(folder / output));
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(run.err.empty()) << run.err;
    }
    EXPECT_TRUE(ReadFile(folder / "screen.bmp") == WindowBmp(kDemoFile, c.window));
    const QImage fromPng(QString::fromStdString(folder / "screen.png"));
    EXPECT_FALSE(fromPng.hasAlphaChannel());
    EXPECT_EQ(fromPng.convertToFormat(QImage::Format_RGB32), WindowScreen(kDemoFile, c.window));
}

INSTANTIATE_TEST_SUITE_P(
    States, CliRenderMatchesWindow,
    ::testing::Values(
        RenderCase{{"--dvb", "s", "--screen", "measure"},
                   {DvbType::Satellite, Category::Measure, 0, Language::English}},
        RenderCase{{"--dvb", "t", "--screen", "measure", "--entry", "3", "--lang", "fr"},
                   {DvbType::Terrestrial, Category::Measure, 3, Language::French}},
        RenderCase{{"--dvb", "c", "--screen", "spectrum", "--entry", "2", "--ref-level", "75",
                    "--cursor-x", "999"},
                   {DvbType::Cable, Category::Spectrum, 2, Language::English, false, 75, 999}},
        RenderCase{{"--dvb", "s", "--screen", "spectrum", "--ref-level", "0", "--cursor-x", "101"},
                   {DvbType::Satellite, Category::Spectrum, 0, Language::English, false, 0, 101}},
        RenderCase{{"--dvb", "s", "--screen", "constellation", "--entry", "1"},
                   {DvbType::Satellite, Category::Constellation, 1, Language::English}},
        RenderCase{
            {"--dvb", "t", "--screen", "constellation", "--entry", "1", "--more", "--lang", "fr"},
            {DvbType::Terrestrial, Category::Constellation, 1, Language::French, true}}),
    [](const ::testing::TestParamInfo<RenderCase>& testInfo) {
        return "Case" + std::to_string(testInfo.index);
    });

}  // namespace
}  // namespace quorvel::test
