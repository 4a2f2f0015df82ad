// Screen texts laid out from the font table, placed as the meter's Qt text layout placed them.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "render/DrawingTypes.h"
#include "render/Geometry.h"
#include "render/FontTable.h"

namespace quorvel {

// The font's em size as a canvas draws it: whole pixels.
inline int WholePixels(ScreenFont font) {
    return static_cast<int>(std::lround(font.pixelSize));
}

// Half a pixel rounds away from zero, as Qt rounds a position to whole pixels.
inline int RoundToPixel(double position) {
    return static_cast<int>(std::lround(position));
}

// Texts are NUL-terminated for the screens; nothing after the first NUL is drawn.
inline std::u16string_view UpToNul(std::u16string_view text) {
    return text.substr(0, std::min(text.size(), text.find(u'\0')));
}

// A glyph's pen position on its baseline, in whole pixels from the layout box's top-left corner.
struct LaidOutGlyph {
    std::uint16_t index = 0;  // into the table's characters
    int textIndex = 0;        // the UTF-16 unit of the text it shows
    int x = 0;
    int y = 0;
};

struct LaidOutLine {
    int start = 0;  // UTF-16 units into the text
    int length = 0;
    bool breaksWord = false;  // the line ends inside a word too wide for the box
    std::size_t firstGlyph = 0;
    std::size_t glyphCount = 0;
};

struct LaidOutText {
    std::vector<LaidOutGlyph> glyphs;
    std::vector<LaidOutLine> lines;
    std::int32_t width = 0;   // 1/64 pixel: the widest line, its last glyph's overhang included
    std::int32_t height = 0;  // 1/64 pixel: all lines, leading included
};

// One unwrapped line when `width` is negative; else lines wrapped at `width` (at line-break
// opportunities and after spaces where a line allows; a line that comes out wider than the box
// anyway is filled again character by character) and aligned horizontally within it. Lines stack
// from y 0.
LaidOutText LayOutText(const FontTable& table, const FontSizeData& size, std::u16string_view text,
                       float width, Align horizontal);

}  // namespace quorvel
