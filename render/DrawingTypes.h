// What the screens draw with: the meter's typeface sizes, text alignment and the built-in icons.
#pragma once

#include <cstdint>

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

}  // namespace quorvel
