// Pieces several screens draw the same way: the LNB badges and widened value texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/TextEncoding.h"
#include "render/Canvas.h"

namespace quorvel {

// 13V for voltage code 1, 18V for 2, nothing otherwise; the 22K badge whenever the tone is on.
inline void DrawLnbBadges(Canvas& canvas, std::uint8_t lnbVoltage, std::uint8_t tone22k,
                          IntPoint voltageAt, IntPoint toneAt) {
    if (lnbVoltage == 1) canvas.DrawImage(IconId::Badge13V, voltageAt.x, voltageAt.y);
    if (lnbVoltage == 2) canvas.DrawImage(IconId::Badge18V, voltageAt.x, voltageAt.y);
    if (tone22k != 0) canvas.DrawImage(IconId::Badge22K, toneAt.x, toneAt.y);
}

// Formatted values are 8-bit texts; the canvas draws UTF-16.
inline std::u16string Widened(std::string_view text) { return WidenText(text); }

}  // namespace quorvel
