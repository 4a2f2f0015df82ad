// Screen texts laid out and rasterised by Qt's own text layout, the path the font table reproduces.
#pragma once

#include <QFont>
#include <string_view>

#include "render/TextLayoutCache.h"

namespace quorvel {

// As RenderScreenText, but through QTextLayout and QRawFont coverage maps in `font`.
RenderedText RenderThroughQt(const QFont& font, std::u16string_view text, float width,
                             Align horizontal, Argb colour);

}  // namespace quorvel
