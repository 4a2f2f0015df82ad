// render of one screen: the options reach the state; BMP holds the bytes File > Save writes for
// it, PNG the same pixels without alpha, and SVG and PDF rasterised back by other programs look
// like that bitmap; --smooth writes the print raster, whatever the machine's fonts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "CliProcess.h"
#include "cli/ScreenRender.h"
#include "cli/SmoothPicture.h"
#include "data/SourceFile.h"
#include "export/ScreenBmp.h"

namespace quorvel::test {
namespace {

struct RenderCase {
    QStringList arguments;
    ScreenRequest request;
};

struct Agreement {
    int probes = 0;         // fill pixels: all within 3 of them share their colour in the bitmap
    int probeMisses = 0;    // fill pixels off by more than 2 in a channel: fills are exact
    double closeShare = 0;  // of all pixels, within a channel difference of 8
};

Agreement Compare(const QImage& expected, const QImage& actual) {
    constexpr int kReach = 3;
    const int width = expected.width();
    const int height = expected.height();
    Agreement agreement;
    long close = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb e = expected.pixel(x, y);
            const QRgb a = actual.pixel(x, y);
            const int difference =
                std::max({std::abs(qRed(e) - qRed(a)), std::abs(qGreen(e) - qGreen(a)),
                          std::abs(qBlue(e) - qBlue(a))});
            close += difference <= 8;
            bool probe = x >= kReach && y >= kReach && x < width - kReach && y < height - kReach;
            for (int dy = -kReach; probe && dy <= kReach; ++dy) {
                for (int dx = -kReach; probe && dx <= kReach; ++dx)
                    probe = expected.pixel(x + dx, y + dy) == e;
            }
            agreement.probes += probe;
            agreement.probeMisses += probe && difference > 2;
        }
    }
    agreement.closeShare = double(close) / (width * height);
    return agreement;
}

class CliRender : public ::testing::TestWithParam<RenderCase> {};

TEST_P(CliRender, EveryFormatHoldsTheScreenOfTheOptionsState) {
    const RenderCase& c = GetParam();
    SourceRecord record;
    ASSERT_EQ(LoadSourceFile(kDemoFile, record), LoadOutcome::Loaded);
    const QImage expected =
        cli::RenderScreen(*CatalogueFor(record, c.request.dvbType), c.request).image;
    TemporaryFolder folder;
    const auto path = [&](const char* name) { return QtPath(folder / name); };
    for (const char* output : {"screen.bmp", "screen.png", "screen.svg", "screen.pdf"}) {
        const CliRun run = RunCliTool(QStringList{"render", QtPath(kDemoFile)}
                                      << c.arguments << "-o" << path(output));
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_TRUE(run.err.empty()) << run.err;
    }
    ASSERT_TRUE(WriteScreenBmp(expected, folder / "expected.bmp").ok);
    EXPECT_TRUE(ReadFile(folder / "screen.bmp") == ReadFile(folder / "expected.bmp"));
    const QImage fromPng(path("screen.png"));
    EXPECT_FALSE(fromPng.hasAlphaChannel());
    EXPECT_EQ(fromPng.convertToFormat(QImage::Format_RGB32), expected);

    const QString svg = path("screen.svg");
    ASSERT_EQ(
        RunProgram("rsvg-convert", {svg, "-o", path("svg.png")}).status,
        0);
    // Fills are drawn without anti-aliasing; glyphs keep theirs.
    const QStringList pdfToPng = {"-r", "96", "-aaVector", "no", "-png", "-singlefile"};
    ASSERT_EQ(
        RunProgram("pdftoppm", pdfToPng + QStringList{path("screen.pdf"), path("pdf")}).status, 0);
    for (const char* raster : {"svg.png", "pdf.png"}) {
        SCOPED_TRACE(raster);
        const QImage actual = QImage(path(raster)).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(actual.size(), expected.size());
        const Agreement agreement = Compare(expected, actual);
        EXPECT_GT(agreement.probes, 100'000);
        EXPECT_EQ(agreement.probeMisses, 0);
        EXPECT_GE(agreement.closeShare, 0.98);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Screens, CliRender,
    ::testing::Values(
        RenderCase{{"--dvb", "s", "--screen", "measure"},
                   {DvbType::Satellite, Category::Measure, 0, Language::English}},
        RenderCase{{"--dvb", "t", "--screen", "measure", "--entry", "1", "--lang", "fr"},
                   {DvbType::Terrestrial, Category::Measure, 1, Language::French}},
        RenderCase{{"--dvb", "c", "--screen", "spectrum", "--entry", "2", "--ref-level", "75",
                    "--cursor-x", "999"},
                   {DvbType::Cable, Category::Spectrum, 2, Language::English, false, 75, 999}},
        RenderCase{{"--dvb", "s", "--screen", "spectrum", "--ref-level", "0", "--cursor-x", "101"},
                   {DvbType::Satellite, Category::Spectrum, 0, Language::English, false, 0, 101}},
        RenderCase{{"--dvb", "c", "--screen", "constellation"},
                   {DvbType::Cable, Category::Constellation, 0, Language::English}},
        RenderCase{
            {"--dvb", "t", "--screen", "constellation", "--entry", "1", "--more", "--lang", "fr"},
            {DvbType::Terrestrial, Category::Constellation, 1, Language::French, true}}),
    CaseName);

// The test's fontconfig file makes "Arial" DejaVu Sans and hints fully where the installed
// defaults hint lightly; the PDF, which names Arial, shows that it takes effect.
TEST(CliRender, SmoothPictureIsThePrintRasterWhateverTheMachineCallsArial) {
    SourceRecord record;
    ASSERT_EQ(LoadSourceFile(kDemoFile, record), LoadOutcome::Loaded);
    std::ostringstream fontProblem;
    ASSERT_TRUE(cli::SmoothFontReady(fontProblem)) << fontProblem.str();
    const ScreenRequest request{DvbType::Satellite, Category::Measure, 0, Language::English};
    const QImage expected =
        cli::RenderSmoothScreen(*CatalogueFor(record, request.dvbType), request, 2).image;
    ASSERT_EQ(expected.size(), QSize(2560, 1440));

    TemporaryFolder folder;
    const QProcessEnvironment installed = QProcessEnvironment::systemEnvironment();
    QProcessEnvironment arialIsDejaVu = installed;
    arialIsDejaVu.insert("FONTCONFIG_FILE",
                         QUORVEL_SOURCE_DIR "/tests/golden/arial-is-dejavu.conf");
    const QStringList screen = {"render", QtPath(kDemoFile), "--dvb", "s", "--screen", "measure"};
    const QStringList smooth = {"--scale", "2", "--smooth", "-o"};
    for (const auto& [output, environment] : {std::pair{"smooth.png", &installed},
                                              {"smooth.bmp", &installed},
                                              {"dejavu.png", &arialIsDejaVu}}) {
        const CliRun run =
            RunCliTool(screen + smooth + QStringList{QtPath(folder / output)}, *environment);
        ASSERT_EQ(run.status, 0) << run.err;
    }
    for (const char* output : {"smooth.png", "smooth.bmp"}) {
        EXPECT_EQ(QImage(QtPath(folder / output)).convertToFormat(QImage::Format_RGB32), expected)
            << output;
    }
    EXPECT_TRUE(ReadFile(folder / "dejavu.png") == ReadFile(folder / "smooth.png"));
    ASSERT_EQ(
        RunCliTool(screen + QStringList{"-o", QtPath(folder / "dejavu.pdf")}, arialIsDejaVu).status,
        0);
    EXPECT_NE(ReadText(folder / "dejavu.pdf").find("/BaseFont /DejaVuSans"), std::string::npos);
}

}  // namespace
}  // namespace quorvel::test
