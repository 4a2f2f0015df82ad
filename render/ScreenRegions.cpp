#include "render/ScreenRegions.h"

#include <algorithm>
#include <array>

#include "render/Canvas.h"
#include "render/ConstellationScreen.h"
#include "render/MeasureScreen.h"
#include "render/SatelliteFindingScreen.h"
#include "render/SpectrumScreen.h"

namespace quorvel {

namespace {

template <typename Entry>
Entry BlankEntry() {
    static constexpr std::array<std::uint8_t, Entry::kSize> kZeros{};
    return Entry(typename Entry::Bytes(kZeros));
}

// The parts a screen declares as it draws, in the order it declares them: they do not depend on
// the entry's values or the language, so a blank entry in English tells them.
std::vector<NamedRegion> Record(ScreenLayoutKind kind) {
    DisplayList list;
    Canvas canvas(list);
    switch (kind) {
        case ScreenLayoutKind::SatelliteFinding:
            DrawSatelliteFinding(canvas, BlankEntry<MeasureEntry>(), Language::English);
            break;
        case ScreenLayoutKind::Measure:
            DrawMeasure(canvas, BlankEntry<MeasureEntry>(), Language::English, DvbType::Terrestrial);
            break;
        case ScreenLayoutKind::Spectrum:
            DrawSpectrum(canvas, BlankEntry<SpectrumEntry>(), {});
            break;
        case ScreenLayoutKind::Constellation:
        case ScreenLayoutKind::ConstellationMore:
            DrawConstellation(canvas, BlankEntry<ConstellationEntry>(), Language::English,
                              DvbType::Satellite, kind == ScreenLayoutKind::ConstellationMore);
            break;
    }
    std::vector<NamedRegion> regions;
    for (const DeclaredRegion& region : list.regions) {
        regions.push_back({RegionName(region.id), region.rect});
    }
    return regions;
}

}  // namespace

std::span<const NamedRegion> RegionsOf(ScreenLayoutKind kind) {
    static const std::array<std::vector<NamedRegion>, std::size(kAllLayouts)> recorded = [] {
        std::array<std::vector<NamedRegion>, std::size(kAllLayouts)> regions;
        for (ScreenLayoutKind each : kAllLayouts) {
            regions[static_cast<std::size_t>(each)] = Record(each);
        }
        return regions;
    }();
    return recorded[static_cast<std::size_t>(kind)];
}

std::string_view RegionName(RegionId id) {
    switch (id) {
        case RegionId::Screen:
            return "screen";
        case RegionId::Title:
            return "title";
        case RegionId::StatusIcons:
            return "status icons";
        case RegionId::Battery:
            return "battery";
        case RegionId::ValueRows:
            return "value rows";
        case RegionId::ServiceLine:
            return "service line";
        case RegionId::LockWord:
            return "lock word";
        case RegionId::ReadoutPanel:
            return "readout panel";
        case RegionId::LevelReadout:
            return "level readout";
        case RegionId::ErrorReadout:
            return "error readout";
        case RegionId::StrengthBar:
            return "strength bar";
        case RegionId::QualityBar:
            return "quality bar";
        case RegionId::LevelScale:
            return "level scale";
        case RegionId::Plot:
            return "plot";
        case RegionId::KeyHelp:
            return "key help";
        case RegionId::Diagram:
            return "diagram";
        case RegionId::MoreBand:
            return "More band";
        case RegionId::MoreRows:
            return "More rows";
    }
    return {};
}

std::string_view LayoutName(ScreenLayoutKind kind) {
    switch (kind) {
        case ScreenLayoutKind::SatelliteFinding:
            return "satellite finding";
        case ScreenLayoutKind::Measure:
            return "measure";
        case ScreenLayoutKind::Spectrum:
            return "spectrum";
        case ScreenLayoutKind::Constellation:
            return "constellation";
        case ScreenLayoutKind::ConstellationMore:
            return "constellation more";
    }
    return {};
}

bool IsRegionName(std::string_view name) {
    return std::ranges::any_of(kAllLayouts, [name](ScreenLayoutKind kind) {
        return std::ranges::any_of(
            RegionsOf(kind), [name](const NamedRegion& region) { return region.name == name; });
    });
}

}  // namespace quorvel
