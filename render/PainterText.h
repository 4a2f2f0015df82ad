// The screen font as Qt names it, for the QPainter replay (SVG, PDF, smooth print raster).
#pragma once

#include <QFont>
#include <QString>

#include "render/Canvas.h"

namespace quorvel {

// The family vector documents name, so that a viewer picks the meter's typeface or its metric twin.
inline constexpr char kScreenFamily[] = "Arial";

// `family` at a whole pixel em size, regular weight.
QFont ScreenQFont(const QString& family, int pixelSize);
// The same with the family and rendering settings of `face`.
QFont ScreenQFont(QFont face, int pixelSize);

}  // namespace quorvel
