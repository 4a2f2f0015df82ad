// Window geometry given in dialog units of an 8-point dialog font at 96 dots per inch.
#pragma once

#include <QRect>
#include <QSize>
#include <QtGlobal>

namespace quorvel {

inline constexpr double kPixelsPerHorizontalUnit = 1.5;
inline constexpr double kPixelsPerVerticalUnit = 1.625;
inline constexpr int kDialogFontPixels = 11;  // an 8-point font at 96 dots per inch

constexpr int HorizontalUnits(int units) {
    return qRound(units * kPixelsPerHorizontalUnit);
}
constexpr int VerticalUnits(int units) {
    return qRound(units * kPixelsPerVerticalUnit);
}

constexpr QRect FromDialogUnits(QRect units) {
    return QRect(HorizontalUnits(units.x()), VerticalUnits(units.y()),
                 HorizontalUnits(units.width()), VerticalUnits(units.height()));
}

// The main window's client area: the 1280 by 720 screen with the controls below it.
inline constexpr QSize kClientSize{HorizontalUnits(853), VerticalUnits(537)};

}  // namespace quorvel
