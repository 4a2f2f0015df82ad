// Screen texts laid out and rasterised by Qt's own text layout, the path the font table reproduces.
#pragma once

#include <QFont>
#include <QSizeF>
#include <QTextLayout>
#include <string_view>

#include "render/TextLayoutCache.h"

namespace quorvel {

// Lays out the layout's text as Qt places screen texts: one unwrapped line when `width` is
// negative, else lines wrapped at `width` (between words where possible, inside a word otherwise)
// and aligned horizontally within it; lines stacked from y 0 with their leading. Returns the
// widest line's width and the height of all lines.
QSizeF LayOutScreenText(QTextLayout& layout, float width, Align horizontal);

// As RenderScreenText, but through QTextLayout and QRawFont coverage maps in `font`.
RenderedText RenderThroughQt(const QFont& font, std::u16string_view text, float width,
                             Align horizontal, Argb colour);

}  // namespace quorvel
