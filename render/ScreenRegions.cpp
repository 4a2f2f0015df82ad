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
    // In the order of RegionId.
    static constexpr std::string_view kNames[] = {
        "screen",      "title",         "status icons",  "battery",      "value rows",
        "service line", "lock word",    "readout panel", "level readout", "error readout",
        "strength bar", "quality bar",  "level scale",   "plot",          "key help",
        "diagram",     "More band",     "More rows"};
    static_assert(std::size(kNames) == static_cast<std::size_t>(RegionId::MoreRows) + 1);
    return kNames[static_cast<std::size_t>(id)];
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
    // Iterator pairs rather than range algorithms: the browser page's standard library has none.
    return std::any_of(std::begin(kAllLayouts), std::end(kAllLayouts), [name](ScreenLayoutKind kind) {
        const auto regions = RegionsOf(kind);
        return std::any_of(regions.begin(), regions.end(),
                           [name](const NamedRegion& region) { return region.name == name; });
    });
}

}  // namespace quorvel
