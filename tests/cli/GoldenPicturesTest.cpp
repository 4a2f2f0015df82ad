// Every picture render --all plans for the sample file: its pixels as the golden table lists
// them, and a full pass that paints each of them.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <memory>

#include "cli/ScreenRender.h"
#include "export/PictureFile.h"
#include "data/SourceFile.h"
#include "figures/BatchPlan.h"
#include "support/Files.h"
#include "tools/GoldenPictures.h"

namespace quorvel {
namespace {

// Any pixel change in any batch picture of the sample file shows here and, once the table is
// rewritten on purpose with make_golden_table, in the table's diff under review.
TEST(GoldenPictures, EveryBatchPictureOfTheSampleMatchesTheTable) {
    const std::string table =
        test::ReadText(QUORVEL_SOURCE_DIR "/tests/golden/demo-pictures.sha256");
    EXPECT_GT(std::count(table.begin(), table.end(), '\n'), 60);
    auto record = std::make_unique<SourceRecord>();
    ASSERT_EQ(LoadSourceFile(QUORVEL_SOURCE_DIR "/samples/demo.dat", *record), LoadOutcome::Loaded);
    EXPECT_EQ(golden::PictureTable(*record), table)
        << "if the change is meant, rewrite the table with: "
           "build/<preset>/tools/make_golden_table samples/demo.dat "
           "tests/golden/demo-pictures.sha256";
}

// A batch thread paints each picture over the previous one without clearing it, which is only
// right if every screen's full pass paints every pixel. An image full of a colour no screen
// uses shows any pixel a pass leaves alone.
TEST(RenderIntoUsedImage, EveryPlannedPictureCoversTheWholeScreen) {
    SourceRecord record;
    ASSERT_EQ(LoadSourceFile(QUORVEL_SOURCE_DIR "/samples/demo.dat", record), LoadOutcome::Loaded);
    const CataloguesByDvb catalogues = CataloguesForAllDvbTypes(record);
    const auto pictures = PlanAllPictures(catalogues, FormatExtension(PictureFormat::Bmp));
    ASSERT_FALSE(pictures.empty());

    QImage used(1280, 720, QImage::Format_RGB32);
    for (const PlannedPicture& picture : pictures) {
        SCOPED_TRACE(picture.fileName);
        const Catalogue& catalogue = CatalogueOf(catalogues, picture.request.dvbType);
        used.fill(0xFFFF00FF);
        EXPECT_TRUE(cli::RenderScreenInto(used, catalogue, picture.request).empty());
        EXPECT_EQ(used, cli::RenderScreen(catalogue, picture.request).image);
    }
}

}  // namespace
}  // namespace quorvel
