// The drawing surface every screen renders onto: the 1280 by 720 pixel screen and five operations.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "render/Geometry.h"
#include "render/ScreenLayout.h"

namespace quorvel {

enum class Align : std::uint8_t { Near = 0, Center = 1, Far = 2 };

struct TextFormat {
    Align horizontal = Align::Near;
    Align vertical = Align::Near;
    bool operator==(const TextFormat&) const = default;
};

// The meter's typeface (the font table, from Liberation Sans) at a pixel em size, regular style.
struct ScreenFont {
    float pixelSize = 35.0f;
    bool operator==(const ScreenFont&) const = default;
};

inline constexpr ScreenFont kFontNormal{35.0f};
inline constexpr ScreenFont kFontScale{28.0f};
inline constexpr ScreenFont kFontLock{100.0f};

// The built-in pictures, by their resource ids.
enum class IconId : int {
    Badge13V = 140,
    Badge18V = 141,
    Badge22K = 142,
    KeyExit = 143,
    KeyF1 = 145,
    Battery = 148,
};

class Canvas {
public:
    virtual ~Canvas() = default;

    virtual void FillRect(Argb colour, IntRect rect) = 0;
    // Closed polygon, even-odd rule, whole pixels.
    virtual void FillPolygon(Argb colour, std::span<const IntPoint> points) = 0;
    // Point layout: the text's line box starts at `at`; no wrapping, no alignment.
    virtual void DrawText(std::u16string_view text, ScreenFont font, PointF at, Argb colour) = 0;
    // Rectangle layout: aligned by `format`, wrapped at the box's width, clipped to the box.
    virtual void DrawText(std::u16string_view text, ScreenFont font, RectF box, TextFormat format,
                          Argb colour) = 0;
    // The icon at its own size with its top-left corner at (x, y).
    virtual void DrawImage(IconId icon, int x, int y) = 0;

    // False when nothing inside `rect` can change in this pass (it lies outside the region being
    // repainted), so a renderer may skip work whose result would be clipped away anyway.
    virtual bool NeedsArea(IntRect rect) const = 0;
};

}  // namespace quorvel
