// The built-in pictures drawn from plain shapes, so every run of the generator gives the same
// bytes.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorvel::icons {

// Straight (not premultiplied) 0xAARRGGBB pixels, row by row from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// The resource ids of the screen icons, in the order they are generated.
inline constexpr std::array<int, 6> kIconIds{140, 141, 142, 143, 145, 148};

// The screen icon with that resource id on the screen's light grey, or nullopt for another id.
std::optional<Picture> DrawIcon(int id);

// The application icon's sizes in pixels, as desktops' icon themes ask for them.
inline constexpr std::array<int, 7> kAppIconSizes{16, 24, 32, 48, 64, 128, 256};

// The square application icon of that size: a small meter screen on a transparent background.
Picture DrawAppIcon(int size);

// A complete 24-bit BMP file (bottom-up rows, no compression) of the picture's colours.
std::vector<std::uint8_t> EncodeBmp24(const Picture& picture);

}  // namespace quorvel::icons
