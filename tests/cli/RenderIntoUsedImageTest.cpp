#include <gtest/gtest.h>

#include <QImage>

#include "cli/BatchPlan.h"
#include "data/SourceFile.h"

namespace quorvel::cli {
namespace {

// A batch thread paints each picture over the previous one without clearing it, which is only
// right if every screen's full pass paints every pixel. An image full of a colour no screen
// uses shows any pixel a pass leaves alone.
TEST(RenderIntoUsedImage, EveryPlannedPictureCoversTheWholeScreen) {
    SourceRecord record;
    ASSERT_EQ(LoadSourceFile(QUORVEL_SOURCE_DIR "/samples/demo.dat", record), LoadOutcome::Loaded);
    const CataloguesByDvb catalogues = CataloguesForAllDvbTypes(record);
    const std::vector<PlannedPicture> pictures = PlanAllPictures(catalogues, PictureFormat::Bmp);
    ASSERT_FALSE(pictures.empty());

    QImage used(1280, 720, QImage::Format_RGB32);
    for (const PlannedPicture& picture : pictures) {
        SCOPED_TRACE(picture.fileName);
        const Catalogue& catalogue = CatalogueOf(catalogues, picture.request.dvbType);
        used.fill(0xFFFF00FF);
        const std::vector<int> missing = RenderScreenInto(used, catalogue, picture.request);
        EXPECT_TRUE(missing.empty());
        EXPECT_EQ(used, RenderScreen(catalogue, picture.request).image);
    }
}

}  // namespace
}  // namespace quorvel::cli
