// One screen pass recorded once: every fill, polygon, text and icon in drawing order, each with
// the pixels it may change, the pixels it may write and the part of the screen it belongs to.
// Every output replays it: the screen image, QPainter (SVG, PDF, print), the regions a
// comparison names, and the tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "data/ScreenText.h"
#include "render/DrawingTypes.h"
#include "render/Geometry.h"
#include "render/IconStore.h"
#include "render/TextLayoutCache.h"

namespace quorvel {

// The parts of the screens, as a difference between two pictures is told in the meter's words.
// Screen holds what belongs to no part (backgrounds, bands and rules under several).
enum class RegionId : std::uint8_t {
    Screen,
    Title,
    StatusIcons,
    Battery,
    ValueRows,
    ServiceLine,
    LockWord,
    ReadoutPanel,
    LevelReadout,
    ErrorReadout,
    StrengthBar,
    QualityBar,
    LevelScale,
    Plot,
    KeyHelp,
    Diagram,
    MoreBand,
    MoreRows,
};

// "title", "status icons", ...; "screen" for Screen.
std::string_view RegionName(RegionId id);

// A part of the screen as the screen declared it before drawing in it.
struct DeclaredRegion {
    RegionId id = RegionId::Screen;
    IntRect rect;
};

struct FillShape {
    IntRect rect;
};
// Closed, even-odd rule, whole pixels.
struct PolygonShape {
    std::vector<IntPoint> points;
};
struct TextShape {
    int pixelSize = 0;
    IntPoint origin;  // the layout box's top-left corner, whole pixels
    std::optional<RectF> box;  // rectangle layout: the box it is aligned, wrapped and clipped in
    TextLayoutCache::Entry rendered;
    std::optional<TextId> word;  // one of the screens' own words: a fit report names its id

    // Up to its first NUL.
    const std::u16string& Text() const { return rendered->text; }
};
struct IconShape {
    IconId icon = IconId::Battery;
    IntPoint at;
    const pixels::PixelImage* image = nullptr;
};

struct DrawOp {
    std::variant<FillShape, PolygonShape, TextShape, IconShape> shape;
    Argb colour = 0;
    IntRect bounds;  // every pixel it may change; inside `clip`, never empty
    IntRect clip;    // the pixels it may write: a text's box, the screen otherwise
    RegionId region = RegionId::Screen;
};

struct DisplayList {
    std::vector<DrawOp> ops;
    std::vector<DeclaredRegion> regions;     // in the order the screen declared them
    std::vector<MissingIcon> missingIcons;   // one per icon, in the order first asked for
    std::optional<std::string> cursorTipText;  // set by a Spectrum pass with a readout
    // The operations from here on follow the pointer; past the end when none do.
    std::size_t cursorFrom = SIZE_MAX;
};

}  // namespace quorvel
