// render of one screen: the options reach the state; BMP holds the bytes File > Save writes for
// it, PNG the same pixels without alpha, and SVG and PDF rasterised back by other programs look
// like that bitmap.
#include <gtest/gtest.h>

#include <cstdlib>

#include "CliProcess.h"
#include "cli/ScreenRender.h"
#include "data/SourceFile.h"
#include "export/ScreenBmp.h"

namespace quorvel::test {
namespace {

struct RenderCase {
    QStringList arguments;
    cli::ScreenRequest request;
};

int ChannelDifference(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

constexpr int kProbeReach = 3;

// A fill probe: a pixel whose neighbours all have its colour, so no edge or glyph is near.
bool IsFillProbe(const QImage& image, int x, int y) {
    const QRgb centre = image.pixel(x, y);
    for (int dy = -kProbeReach; dy <= kProbeReach; ++dy) {
        for (int dx = -kProbeReach; dx <= kProbeReach; ++dx) {
            if (image.pixel(x + dx, y + dy) != centre) return false;
        }
    }
    return true;
}

struct Agreement {
    int probes = 0;
    int probeMisses = 0;
    double closeShare = 0;  // of all pixels, within a channel difference of 8
};

Agreement Compare(const QImage& expected, const QImage& actual) {
    Agreement agreement;
    long close = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const int difference = ChannelDifference(expected.pixel(x, y), actual.pixel(x, y));
            if (difference <= 8) ++close;
            if (x >= kProbeReach && y >= kProbeReach && x < expected.width() - kProbeReach &&
                y < expected.height() - kProbeReach && IsFillProbe(expected, x, y)) {
                ++agreement.probes;
                if (difference > 2) ++agreement.probeMisses;
            }
        }
    }
    agreement.closeShare = double(close) / (expected.width() * expected.height());
    return agreement;
}

class CliRender : public ::testing::TestWithParam<RenderCase> {};

TEST_P(CliRender, EveryFormatHoldsTheScreenOfTheOptionsState) {
    const RenderCase& c = GetParam();
    SourceRecord record;
    ASSERT_EQ(LoadSourceFile(kDemoFile, record), LoadOutcome::Loaded);
    const QImage expected =
        cli::RenderScreen(*cli::CatalogueFor(record, c.request.dvbType), c.request).image;
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
        RunProgram("rsvg-convert", {"-w", "1280", "-h", "720", svg, "-o", path("svg.png")}).status,
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
            {DvbType::Terrestrial, Category::Constellation, 1, Language::French, true}}));

}  // namespace
}  // namespace quorvel::test
