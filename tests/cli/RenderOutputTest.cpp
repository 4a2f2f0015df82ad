// The tool's pictures are the window's: same paint path, same BMP bytes, PNG with the same pixels.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <iterator>

#include "CliProcess.h"
#include "ExpectedScreen.h"

namespace quorvel::test {
namespace {

std::vector<std::uint8_t> ReadBytes(const QString& path) {
    std::ifstream file(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

struct RenderCase {
    const char* label;
    QStringList arguments;
    WindowState window;
};

class CliRenderMatchesWindow : public ::testing::TestWithParam<RenderCase> {};

TEST_P(CliRenderMatchesWindow, BmpBytesEqualTheWindowExportAndPngHasTheSamePixels) {
    const RenderCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString bmp = folder.filePath("screen.bmp");
    const QString png = folder.filePath("screen.png");

    for (const QString& output : {bmp, png}) {
        const CliRun run = RunCliTool(QStringList{"render", QString::fromStdString(kDemoFile)}
                                      << c.arguments << "-o" << output);
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(run.err.empty()) << run.err;
    }

    const std::vector<std::uint8_t> expected = WindowBmp(kDemoFile, c.window);
    ASSERT_EQ(expected.size(), Bmp32FileSize(1280, 720));
    EXPECT_TRUE(ReadBytes(bmp) == expected) << c.label;

    QImage fromPng(png);
    ASSERT_FALSE(fromPng.isNull());
    EXPECT_FALSE(fromPng.hasAlphaChannel());
    EXPECT_EQ(fromPng.convertToFormat(QImage::Format_RGB32),
              WindowScreen(kDemoFile, c.window).convertToFormat(QImage::Format_RGB32))
        << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    States, CliRenderMatchesWindow,
    ::testing::Values(
        RenderCase{"satellite finding, defaults",
                   {"--dvb", "s", "--screen", "measure"},
                   {DvbType::Satellite, Category::Measure, 0, Language::English}},
        RenderCase{"terrestrial measure, last line, French",
                   {"--dvb", "t", "--screen", "measure", "--entry", "3", "--lang", "fr"},
                   {DvbType::Terrestrial, Category::Measure, 3, Language::French}},
        RenderCase{"cable spectrum with a moved scale and cursor",
                   {"--dvb", "c", "--screen", "spectrum", "--entry", "2", "--ref-level", "75",
                    "--cursor-x", "999"},
                   {DvbType::Cable, Category::Spectrum, 2, Language::English, false, 75, 999}},
        RenderCase{"satellite constellation diagram, second line",
                   {"--dvb", "s", "--screen", "constellation", "--entry", "1"},
                   {DvbType::Satellite, Category::Constellation, 1, Language::English}},
        RenderCase{
            "terrestrial constellation More view, French",
            {"--dvb", "t", "--screen", "constellation", "--entry", "1", "--more", "--lang", "fr"},
            {DvbType::Terrestrial, Category::Constellation, 1, Language::French, true}}),
    [](const ::testing::TestParamInfo<RenderCase>& testInfo) {
        return "Case" + std::to_string(testInfo.index);
    });

}  // namespace
}  // namespace quorvel::test
