// The Qt text layout behind the QPainter replay (SVG, PDF, smooth print raster).
#pragma once

#include <QFont>
#include <QSizeF>
#include <QString>
#include <QTextLayout>

#include "render/Canvas.h"

namespace quorvel {

// The family vector documents name, so that a viewer picks the meter's typeface or its metric twin.
inline constexpr char kScreenFamily[] = "Arial";

// `family` at a whole pixel em size, regular weight.
QFont ScreenQFont(const QString& family, int pixelSize);
// The same with the family and rendering settings of `face`.
QFont ScreenQFont(QFont face, int pixelSize);

// Lays out the layout's text as Qt places screen texts: one unwrapped line when `width` is
// negative, else lines wrapped at `width` (between words where possible, inside a word otherwise)
// and aligned horizontally within it; lines stacked from y 0 with their leading. Returns the
// widest line's width and the height of all lines.
QSizeF LayOutScreenText(QTextLayout& layout, float width, Align horizontal);

}  // namespace quorvel
