// The tool's pictures for the options given: BMP bytes as File > Save writes them for that state,
// PNG with the same pixels and no alpha.
#include <gtest/gtest.h>

#include "CliProcess.h"
#include "cli/ScreenRender.h"
#include "data/SourceFile.h"
#include "export/ScreenBmp.h"
#include "support/Files.h"

namespace quorvel::test {
namespace {

struct RenderCase {
    QStringList arguments;
    cli::ScreenRequest request;
};

TEST(CliRender, OptionsReachTheStateAndBothFormatsHoldItsPixels) {
    SourceRecord record;
    ASSERT_EQ(LoadSourceFile(kDemoFile, record), LoadOutcome::Loaded);
    const RenderCase cases[] = {
        {{"--dvb", "t", "--screen", "measure", "--entry", "3", "--lang", "fr"},
         {DvbType::Terrestrial, Category::Measure, 3, Language::French}},
        {{"--dvb", "c", "--screen", "spectrum", "--entry", "2", "--ref-level", "75", "--cursor-x",
          "999"},
         {DvbType::Cable, Category::Spectrum, 2, Language::English, false, 75, 999}},
        {{"--dvb", "s", "--screen", "spectrum", "--ref-level", "0", "--cursor-x", "101"},
         {DvbType::Satellite, Category::Spectrum, 0, Language::English, false, 0, 101}},
        {{"--dvb", "t", "--screen", "constellation", "--entry", "1", "--more", "--lang", "fr"},
         {DvbType::Terrestrial, Category::Constellation, 1, Language::French, true}},
    };
    TemporaryFolder folder;
    for (const RenderCase& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        for (const char* output : {"screen.bmp", "screen.png"}) {
            const CliRun run =
                RunCliTool(QStringList{"render", QString::fromStdString(kDemoFile)}
                           << c.arguments << "-o" << QString::fromStdString(folder / output));
            ASSERT_EQ(run.status, 0) << run.err;
            EXPECT_TRUE(run.err.empty()) << run.err;
        }
        const QImage expected =
            cli::RenderScreen(*cli::CatalogueFor(record, c.request.dvbType), c.request).image;
        ASSERT_TRUE(WriteScreenBmp(expected, folder / "expected.bmp").ok);
        EXPECT_TRUE(ReadFile(folder / "screen.bmp") == ReadFile(folder / "expected.bmp"));
        const QImage fromPng(QString::fromStdString(folder / "screen.png"));
        EXPECT_FALSE(fromPng.hasAlphaChannel());
        EXPECT_EQ(fromPng.convertToFormat(QImage::Format_RGB32), expected);
    }
}

}  // namespace
}  // namespace quorvel::test
