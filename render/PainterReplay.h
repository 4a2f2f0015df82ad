// A recorded pass replayed through a QPainter onto any paint device: SVG and PDF pages, and the
// smooth print raster.
#pragma once

#include <QFont>
#include <QPainter>

#include "render/DisplayList.h"
#include "render/PainterText.h"
#include "render/PixelRegion.h"

namespace quorvel {

// Fills stay whole-pixel rectangles and polygons drawn without anti-aliasing, texts stay text in
// the family and rendering settings of `face` with every glyph where the screen image has it, and icons are embedded pictures, so a
// vector document shows the same screen with words that can be searched. The painter must be
// active, with screen pixels as its coordinates. Operations whose bounds miss `area` are left
// out and rectangle fills are cut to it, so a pass repaints what the window would repaint.
void ReplayOnPainter(QPainter& painter, const DisplayList& list, const PixelRegion& area,
                     const QFont& face = QFont(QString::fromLatin1(kScreenFamily)));

}  // namespace quorvel
