// The named regions of each screen, as the screens declare them while they draw, so a picture
// difference can be told in the meter's words.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "render/Geometry.h"

namespace quorvel {

// The layouts a picture can show: the Measure family has two, the Constellation screen's More
// view keeps the diagram view's top rows and so is a layout of its own.
enum class ScreenLayoutKind {
    SatelliteFinding,
    Measure,
    Spectrum,
    Constellation,
    ConstellationMore,
};

struct NamedRegion {
    std::string_view name;
    IntRect rect;  // screen pixels at scale 1; regions may overlap, a part inside a whole
};

std::span<const NamedRegion> RegionsOf(ScreenLayoutKind kind);

// "satellite finding", "measure", "spectrum", "constellation", "constellation more".
std::string_view LayoutName(ScreenLayoutKind kind);

inline constexpr ScreenLayoutKind kAllLayouts[] = {
    ScreenLayoutKind::SatelliteFinding, ScreenLayoutKind::Measure, ScreenLayoutKind::Spectrum,
    ScreenLayoutKind::Constellation, ScreenLayoutKind::ConstellationMore};

// True when some screen has a region of that name.
bool IsRegionName(std::string_view name);

}  // namespace quorvel
