// Screen texts laid out and rasterised once, kept across passes: glyphs are the costly part of a
// pass.
#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QSizeF>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "render/Canvas.h"

namespace quorvel {

// Arial (fontconfig's match) at a whole pixel em size, regular weight.
QFont ScreenQFont(int pixelSize);

// The font's em size as a canvas draws it: whole pixels.
inline int WholePixels(ScreenFont font) {
    return static_cast<int>(std::lround(font.pixelSize));
}

// Texts are NUL-terminated for the screens; nothing after the first NUL is drawn.
inline std::u16string_view UpToNul(std::u16string_view text) {
    return text.substr(0, std::min(text.size(), text.find(u'\0')));
}

// Lays out the layout's text as every canvas places screen texts: one unwrapped line when `width`
// is negative, else lines wrapped at `width` (between words where possible, inside a word
// otherwise) and aligned horizontally within it; lines stacked from y 0 with their leading.
// Returns the widest line's width and the height of all lines.
QSizeF LayOutScreenText(QTextLayout& layout, float width, Align horizontal);
// One line of a wrapped block, kept so that a fit check can tell what the box lets through.
struct RenderedLine {
    int start = 0;  // UTF-16 units into the text
    int length = 0;
    QRect ink;               // relative to the layout box's top-left corner; empty without ink
    bool breaksWord = false;  // the line ends inside a word too wide for the box
};

// A text ready to be copied onto the screen.
struct RenderedText {
    QImage image;   // the text's ink in its colour, premultiplied; null when there is no ink
    QPoint offset;  // the image's top-left corner relative to the layout box's top-left corner
    QSizeF layout;  // width of the widest line; height of all lines, leading included
    std::vector<RenderedLine> lines;  // rectangle layout only
};

// A text drawn the same way twice is laid out and rasterised once. The pixels come only from
// glyph coverage maps, placed at whole pixels, and a rendering depends only on its key, so
// whether a draw hits or misses the cache never changes a pixel. (Qt's own path for glyphs above
// 64 pixels fills outlines whose hinting depends on what other sizes were drawn before, so the
// same text could come out differently from one pass to the next; coverage maps do not.)
// Use from one thread only.
class TextLayoutCache {
  public:
    // Past this many renderings the cache starts over; one screen needs a few dozen.
    static constexpr std::size_t kCapacity = 256;

    // One unwrapped, left-aligned line, for point layout.
    const RenderedText& Line(std::u16string_view text, int pixelSize, Argb colour);
    // Lines wrapped at `width` (between words where possible, inside a word otherwise) and
    // aligned horizontally within it, for rectangle layout.
    const RenderedText& Block(std::u16string_view text, int pixelSize, float width,
                              Align horizontal, Argb colour);

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

    const QFont& Font(int pixelSize);
    const RenderedText& Find(Key key);
    RenderedText Render(const Key& key);

    std::map<int, QFont> m_fonts;
    std::unordered_map<Key, RenderedText, KeyHash> m_texts;
};

// The cache every ImageCanvas uses unless given another. There is one per thread, so screens can
// be painted on several threads at once (the command-line batch does). The main thread's is
// emptied when the Qt application object is destroyed, so no font outlives it; another
// thread's goes with the thread.
TextLayoutCache& SharedTextLayoutCache();

}  // namespace quorvel
