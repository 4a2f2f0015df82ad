#include "render/ScreenRegions.h"

#include <algorithm>
#include <array>

namespace quorvel {

namespace {

// Each rectangle covers what its renderer draws for that part, texts with their full line height.
// Where two parts share rows (the lock word beside the readouts), the rectangles follow the
// elements rather than whole bands, so a difference names the part that changed.

constexpr std::array kSatelliteFinding = {
    NamedRegion{"title", {0, 0, 1000, 80}},
    NamedRegion{"status icons", {1000, 0, 200, 80}},
    NamedRegion{"battery", {1200, 0, 80, 80}},
    NamedRegion{"value rows", {0, 80, 1280, 220}},
    NamedRegion{"service line", {360, 305, 600, 65}},
    NamedRegion{"lock word", {20, 350, 500, 160}},
    NamedRegion{"readout panel", {520, 370, 760, 140}},
    NamedRegion{"strength bar", {0, 510, 1280, 65}},
    NamedRegion{"quality bar", {0, 575, 1280, 65}},
};

constexpr std::array kMeasure = {
    NamedRegion{"title", {0, 0, 1000, 80}},
    NamedRegion{"status icons", {1000, 0, 200, 80}},
    NamedRegion{"battery", {1200, 0, 80, 80}},
    NamedRegion{"value rows", {0, 80, 1280, 288}},
    NamedRegion{"lock word", {490, 375, 300, 150}},
    NamedRegion{"level readout", {0, 390, 490, 137}},
    NamedRegion{"error readout", {790, 390, 490, 137}},
    NamedRegion{"strength bar", {0, 527, 1280, 50}},
    NamedRegion{"quality bar", {0, 577, 1280, 63}},
};

// The plot reaches one column past x 999 and two rows past y 649: the cursor column and the
// bottom grid line are drawn there.
constexpr std::array kSpectrum = {
    NamedRegion{"title", {0, 0, 1000, 60}},
    NamedRegion{"status icons", {1000, 0, 200, 60}},
    NamedRegion{"battery", {1200, 0, 80, 60}},
    NamedRegion{"level scale", {0, 60, 100, 600}},
    NamedRegion{"plot", {100, 70, 901, 582}},
    NamedRegion{"readout panel", {1001, 60, 279, 595}},
    NamedRegion{"key help", {1000, 655, 280, 65}},
};

constexpr std::array kConstellation = {
    NamedRegion{"title", {0, 0, 1200, 80}},
    NamedRegion{"battery", {1200, 0, 80, 80}},
    NamedRegion{"diagram", {0, 90, 650, 630}},
    NamedRegion{"readout panel", {650, 80, 630, 560}},
    NamedRegion{"key help", {1000, 640, 280, 80}},
};

// F1 repaints only the band from y 240 down; above it the diagram view stays.
constexpr std::array kConstellationMore = {
    NamedRegion{"title", {0, 0, 1200, 80}},
    NamedRegion{"battery", {1200, 0, 80, 80}},
    NamedRegion{"diagram", {0, 90, 650, 150}},
    NamedRegion{"readout panel", {650, 80, 630, 160}},
    NamedRegion{"More band", {0, 240, 1280, 480}},
    NamedRegion{"More rows", {0, 240, 1280, 265}},
    NamedRegion{"quality bar", {0, 505, 1280, 70}},
    NamedRegion{"strength bar", {0, 575, 1280, 70}},
};

}  // namespace

std::span<const NamedRegion> RegionsOf(ScreenLayoutKind kind) {
    switch (kind) {
        case ScreenLayoutKind::SatelliteFinding:
            return kSatelliteFinding;
        case ScreenLayoutKind::Measure:
            return kMeasure;
        case ScreenLayoutKind::Spectrum:
            return kSpectrum;
        case ScreenLayoutKind::Constellation:
            return kConstellation;
        case ScreenLayoutKind::ConstellationMore:
            return kConstellationMore;
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
        return std::ranges::any_of(RegionsOf(kind),
                                   [name](const NamedRegion& region) { return region.name == name; });
    });
}

}  // namespace quorvel
