// SVG and PDF screens rasterised back by other programs look like the window's bitmap, keep
// their words as text, and PDF paper sizes centre the screen.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>

#include "CliProcess.h"
#include "cli/ScreenRender.h"
#include "data/SourceFile.h"

namespace quorvel::test {
namespace {

struct VectorCase {
    const char* label;
    QStringList arguments;
    cli::ScreenRequest request;
};

bool RunTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60'000) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

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

class VectorMatchesBitmap : public ::testing::TestWithParam<VectorCase> {};

TEST_P(VectorMatchesBitmap, RasterisedSvgAndPdfAgreeWithTheBmp) {
    const VectorCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    SourceRecord record;
    ASSERT_EQ(LoadSourceFile(kDemoFile, record), LoadOutcome::Loaded);
    const QImage expected =
        cli::RenderScreen(*cli::CatalogueFor(record, c.request.dvbType), c.request).image;

    const QString svg = folder.filePath("screen.svg");
    const QString pdf = folder.filePath("screen.pdf");
    for (const QString& output : {svg, pdf}) {
        const CliRun run = RunCliTool(QStringList{"render", QString::fromStdString(kDemoFile)}
                                      << c.arguments << "-o" << output);
        ASSERT_EQ(run.status, 0) << run.err;
    }
    ASSERT_TRUE(RunTool("rsvg-convert",
                        {"-w", "1280", "-h", "720", svg, "-o", folder.filePath("svg.png")}));
    // Fills are drawn without anti-aliasing; glyphs keep theirs.
    ASSERT_TRUE(RunTool("pdftoppm", {"-r", "96", "-aaVector", "no", "-png", "-singlefile", pdf,
                                     folder.filePath("pdf")}));
    for (const QString& raster : {folder.filePath("svg.png"), folder.filePath("pdf.png")}) {
        const QImage actual = QImage(raster).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(actual.size(), expected.size()) << raster.toStdString();
        const Agreement agreement = Compare(expected, actual);
        EXPECT_GT(agreement.probes, 100'000) << c.label;
        EXPECT_EQ(agreement.probeMisses, 0) << c.label << " " << raster.toStdString();
        EXPECT_GE(agreement.closeShare, 0.98) << c.label << " " << raster.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Screens, VectorMatchesBitmap,
    ::testing::Values(
        VectorCase{"satellite finding",
                   {"--dvb", "s", "--screen", "measure"},
                   {DvbType::Satellite, Category::Measure, 0, Language::English}},
        VectorCase{"terrestrial measure, French",
                   {"--dvb", "t", "--screen", "measure", "--entry", "1", "--lang", "fr"},
                   {DvbType::Terrestrial, Category::Measure, 1, Language::French}},
        VectorCase{"satellite spectrum with the cursor",
                   {"--dvb", "s", "--screen", "spectrum", "--cursor-x", "500"},
                   {DvbType::Satellite, Category::Spectrum, 0, Language::English, false, 40, 500}},
        VectorCase{"cable constellation",
                   {"--dvb", "c", "--screen", "constellation"},
                   {DvbType::Cable, Category::Constellation, 0, Language::English}},
        VectorCase{"satellite constellation, More view",
                   {"--dvb", "s", "--screen", "constellation", "--more"},
                   {DvbType::Satellite, Category::Constellation, 0, Language::English, true}}));

}  // namespace
}  // namespace quorvel::test
