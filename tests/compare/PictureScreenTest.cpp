#include <gtest/gtest.h>

#include "compare/PictureScreen.h"
#include "render/ScreenLayout.h"

namespace quorvel::compare {
namespace {

TEST(PictureScreen, FileNamesAndNotesTellTheLayout) {
    const Picture plain;
    const struct {
        const char* name;
        std::optional<ScreenLayoutKind> layout;
    } names[] = {
        {"s-measure-00-en.bmp", ScreenLayoutKind::SatelliteFinding},
        {"t-measure-12-fr.png", ScreenLayoutKind::Measure},
        {"c-measure-03-en.bmp", ScreenLayoutKind::Measure},
        {"s-spectrum-00-fr.bmp", ScreenLayoutKind::Spectrum},
        {"t-constellation-01-en.bmp", ScreenLayoutKind::Constellation},
        {"c-constellation-more-01-en.bmp", ScreenLayoutKind::ConstellationMore},
        {"x-measure-00-en.bmp", std::nullopt},
        {"s-measure-00-de.bmp", std::nullopt},
        {"s-measure-0a-en.bmp", std::nullopt},
        {"s-measure--en.bmp", std::nullopt},
        {"s-more-00-en.bmp", std::nullopt},
        {"s-measure-more-00-en.bmp", std::nullopt},
        {"screenshot.png", std::nullopt},
    };
    for (const auto& [name, layout] : names) {
        EXPECT_EQ(ScreenOfPicture(name, plain).layout, layout) << name;
    }

    Picture noted;
    noted.notes = {{"DVB type", "DVB-S"}, {"Screen", "measure"}, {"Scale", "2"}};
    const PictureScreen screen = ScreenOfPicture("t-spectrum-00-en.png", noted);
    EXPECT_EQ(screen.layout, ScreenLayoutKind::SatelliteFinding);
    EXPECT_EQ(screen.scale, 2);
    noted.notes = {{"DVB type", "DVB-T"}, {"Screen", "measure"}, {"Scale", "2x"}};
    EXPECT_EQ(ScreenOfPicture("x.png", noted).layout, ScreenLayoutKind::Measure);
    EXPECT_EQ(ScreenOfPicture("x.png", noted).scale, 1);
}

TEST(PictureScreen, RegionsScaleAndAreNamedWhereAnAreaTouchesThem) {
    const PictureScreen spectrum{ScreenLayoutKind::Spectrum, 1};
    const std::vector<PlacedRegion> regions = PlacedRegions(spectrum);
    // The plot's corners and the columns either side of its edges.
    EXPECT_EQ(RegionsTouched(regions, {100, 70, 1, 1}), std::vector<std::string>{"plot"});
    EXPECT_EQ(RegionsTouched(regions, {99, 300, 1, 1}), std::vector<std::string>{"level scale"});
    EXPECT_EQ(RegionsTouched(regions, {999, 649, 1, 1}), std::vector<std::string>{"plot"});
    EXPECT_EQ(RegionsTouched(regions, {1210, 20, 1, 1}), std::vector<std::string>{"battery"});
    EXPECT_EQ(RegionsTouched(regions, {90, 300, 20, 1}),
              (std::vector<std::string>{"level scale", "plot"}));

    const std::vector<PlacedRegion> doubled = PlacedRegions({ScreenLayoutKind::Spectrum, 2});
    EXPECT_EQ(RegionsTouched(doubled, {199, 300, 1, 1}), std::vector<std::string>{"level scale"});
    EXPECT_EQ(RegionsTouched(doubled, {200, 140, 1, 1}), std::vector<std::string>{"plot"});
    EXPECT_TRUE(PlacedRegions({std::nullopt, 1}).empty());

    // The More view's rows and bars meet without a gap or overlap, ten pixels above each track.
    const std::vector<PlacedRegion> more = PlacedRegions({ScreenLayoutKind::ConstellationMore, 1});
    using Names = std::vector<std::string>;
    EXPECT_EQ(RegionsTouched(more, {700, 504, 1, 1}), (Names{"More band", "More rows"}));
    EXPECT_EQ(RegionsTouched(more, {700, 505, 1, 70}), (Names{"More band", "quality bar"}));
    EXPECT_EQ(RegionsTouched(more, {700, 575, 1, 70}), (Names{"More band", "strength bar"}));
    EXPECT_EQ(RegionsTouched(more, {700, 645, 1, 1}), (Names{"More band"}));

    // Every layout's table stays on the screen.
    for (const ScreenLayoutKind kind : kAllLayouts) {
        for (const NamedRegion& region : RegionsOf(kind)) {
            const IntRect& r = region.rect;
            EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.w > 0 && r.h > 0 && r.x + r.w <= kScreenWidth &&
                        r.y + r.h <= kScreenHeight)
                << LayoutName(kind) << " " << region.name;
        }
    }
}

}  // namespace
}  // namespace quorvel::compare
