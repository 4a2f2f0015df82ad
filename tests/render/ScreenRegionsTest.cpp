// The regions a comparison names come from the drawing: every operation of every screen of the
// demo file lies inside the region it was drawn in, and each screen declares the same regions
// whatever its entry, so the table a comparison reads is the one the screens draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "data/Catalogue.h"
#include "render/ScreenRecording.h"
#include "render/ScreenRegions.h"
#include "tools/DemoRecord.h"

namespace quorvel {
namespace {

struct Shown {
    ScreenState state;
    ScreenLayoutKind kind;
};

// Every line of every family of every DVB type in both languages, with the More view; the lists
// of each DVB type at the index of its code.
std::vector<Shown> EveryScreen(SourceRecord& record, std::vector<std::unique_ptr<Catalogue>>& lists) {
    std::vector<Shown> shown;
    for (DvbType dvbType : {DvbType::Cable, DvbType::Terrestrial, DvbType::Satellite}) {
        auto& catalogue = *lists.emplace_back(std::make_unique<Catalogue>());
        ScreenState state;
        state.dvbType = dvbType;
        RebuildCatalogue(record, dvbType, catalogue);
        SelectAfterRebuild(state, catalogue);
        for (Language language : {Language::English, Language::French}) {
            state.language = language;
            for (int k = 0; k < static_cast<int>(catalogue.measure.Count()); ++k) {
                state.category = Category::Measure;
                state.measureSelection = k;
                shown.push_back({state, dvbType == DvbType::Satellite
                                            ? ScreenLayoutKind::SatelliteFinding
                                            : ScreenLayoutKind::Measure});
            }
            for (int k = 0; k < static_cast<int>(catalogue.spectrum.Count()); ++k) {
                state.category = Category::Spectrum;
                state.spectrumSelection = k;
                shown.push_back({state, ScreenLayoutKind::Spectrum});
            }
            for (int k = 0; k < static_cast<int>(catalogue.constellation.Count()); ++k) {
                state.category = Category::Constellation;
                state.constellationSelection = k;
                state.showMore = false;
                shown.push_back({state, ScreenLayoutKind::Constellation});
                state.showMore = true;
                shown.push_back({state, ScreenLayoutKind::ConstellationMore});
            }
            state.showMore = false;
        }
    }
    return shown;
}

TEST(ScreenRegions, EveryOperationOfTheDemoScreensLiesInItsRegion) {
    auto record = std::make_unique<SourceRecord>();
    demo::BuildDemoRecord(*record);
    std::vector<std::unique_ptr<Catalogue>> lists;
    const std::vector<Shown> screens = EveryScreen(*record, lists);
    ASSERT_GE(screens.size(), 70u);
    for (const Shown& screen : screens) {
        const auto& catalogue = *lists[static_cast<std::size_t>(screen.state.dvbType)];
        const DisplayList list = RecordScreen(screen.state, catalogue);
        const std::string where = std::string(LayoutName(screen.kind)) + " " +
                                  std::to_string(static_cast<int>(screen.state.dvbType)) + "/" +
                                  std::to_string(screen.state.measureSelection) + "/" +
                                  std::to_string(screen.state.constellationSelection);
        std::size_t named = 0;
        for (const DrawOp& op : list.ops) {
            if (op.region == RegionId::Screen) continue;
            ++named;
            const auto region = std::ranges::find(list.regions, op.region, &DeclaredRegion::id);
            ASSERT_NE(region, list.regions.end()) << where << " " << RegionName(op.region);
            EXPECT_TRUE(Contains(region->rect, op.bounds))
                << where << ": an operation at " << op.bounds.x << "," << op.bounds.y << " "
                << op.bounds.w << "x" << op.bounds.h << " lies outside "
                << RegionName(op.region);
        }
        EXPECT_GT(named, list.ops.size() / 2) << where;
        // The table a comparison reads is what this screen declared.
        const std::span<const NamedRegion> table = RegionsOf(screen.kind);
        ASSERT_EQ(table.size(), list.regions.size()) << where;
        for (std::size_t i = 0; i < table.size(); ++i) {
            EXPECT_EQ(table[i].name, RegionName(list.regions[i].id)) << where;
            EXPECT_EQ(table[i].rect, list.regions[i].rect) << where << " " << table[i].name;
        }
    }
}

TEST(ScreenRegions, TheServiceLineRegionIsWhereTheServiceLineIsDrawn) {
    const auto regions = RegionsOf(ScreenLayoutKind::SatelliteFinding);
    const auto line = std::ranges::find(regions, std::string_view("service line"), &NamedRegion::name);
    ASSERT_NE(line, regions.end());
    EXPECT_EQ(line->rect, (IntRect{360, 310, 600, 60}));
}

}  // namespace
}  // namespace quorvel
