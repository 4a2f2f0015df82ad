// Screen texts laid out and rasterised once, kept across passes: glyphs are the costly part of a
// pass.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "render/DrawingTypes.h"
#include "render/Geometry.h"
#include "render/FontTable.h"
#include "render/ScreenPixels.h"
#include "render/TextLayout.h"

namespace quorvel {

// One line of a wrapped block, kept so that a fit check can tell what the box lets through.
struct RenderedLine {
    int start = 0;  // UTF-16 units into the text
    int length = 0;
    IntRect ink;              // relative to the layout box's top-left corner; empty without ink
    bool breaksWord = false;  // the line ends inside a word too wide for the box
};

// A text ready to be copied onto the screen, and where its glyphs stand.
struct RenderedText {
    std::u16string text;       // what was laid out
    pixels::PixelImage image;  // the ink in its colour, premultiplied; empty when there is none
    IntPoint offset;  // the image's top-left corner relative to the layout box's top-left corner
    double layoutWidth = 0;   // the widest line
    double layoutHeight = 0;  // all lines, leading included
    std::vector<RenderedLine> lines;  // rectangle layout only
    LaidOutText laidOut;  // for replays that draw the glyphs themselves (documents)
};

// A glyph's coverage map (one byte a pixel, rows tightly packed) placed in a layout box.
struct PlacedCoverage {
    std::span<const std::uint8_t> map;
    int width = 0;
    int height = 0;
    IntPoint topLeft;
};

// Overlapping glyphs combine as coverage over coverage, then take the colour. `bounds` holds
// every map.
pixels::PixelImage ColouriseCoverage(const std::vector<PlacedCoverage>& glyphs, IntRect bounds,
                                     Argb colour);

// A text laid out and rasterised from the font table: as a line when `width` is negative, else
// as a block (see LayOutText).
RenderedText RenderScreenText(const FontTable& table, std::u16string_view text, int pixelSize,
                              float width, Align horizontal, Argb colour);

// A text drawn the same way twice is laid out and rasterised once. The pixels come only from the
// font table's coverage maps, placed at whole pixels, so whether a draw hits or misses the cache
// never changes a pixel. Use from one thread only; what it hands out stays valid after the cache
// starts over, as long as the caller keeps it.
class TextLayoutCache {
  public:
    using Entry = std::shared_ptr<const RenderedText>;

    // Past this many renderings the cache starts over; one screen needs a few dozen.
    static constexpr std::size_t kCapacity = 256;

    // One unwrapped, left-aligned line, for point layout.
    Entry Line(std::u16string_view text, int pixelSize, Argb colour);
    // Lines wrapped at `width` (between words where possible, inside a word otherwise) and
    // aligned horizontally within it, for rectangle layout.
    Entry Block(std::u16string_view text, int pixelSize, float width, Align horizontal,
                Argb colour);

    std::size_t Size() const { return m_texts.size(); }
    void Clear();

  private:
    struct Key {
        std::u16string text;
        int pixelSize;
        float width;  // negative: no wrapping
        Align horizontal;
        Argb colour;
        bool operator==(const Key&) const = default;
    };
    struct KeyHash {
        std::size_t operator()(const Key& key) const;
    };

    Entry Find(Key key);

    std::unordered_map<Key, Entry, KeyHash> m_texts;
};

// The cache every recording uses unless given another. There is one per thread, so screens can
// be recorded on several threads at once (the command-line batch does).
TextLayoutCache& SharedTextLayoutCache();

}  // namespace quorvel
