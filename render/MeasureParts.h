// Pieces the two Measure-family screens draw alike: colours, bars, percent texts, icons, lock word.
#pragma once

#include <cstdint>
#include <string>

#include "data/MeasureEntry.h"
#include "data/Types.h"
#include "render/Canvas.h"

namespace quorvel::measure {

inline constexpr Argb kPanelGrey = 0xFFE6E6E6;  // screen background and empty bar tracks
inline constexpr Argb kBandWhite = 0xFFFFFFFF;
inline constexpr Argb kBarRed = 0xFF800000;
inline constexpr Argb kRuleBlue = 0xFF0080FF;
inline constexpr Argb kLabelBlack = 0xFF000000;
inline constexpr Argb kValueOrange = 0xFFFF8000;
inline constexpr Argb kLockGreen = 0xFF00FF00;
inline constexpr Argb kUnlockRed = 0xFFFF0000;

inline constexpr TextFormat kCentred{Align::Center, Align::Center};
inline constexpr TextFormat kTopCentred{Align::Center, Align::Near};

// The value column right of the row labels: texts centred in a 560 by 60 box at x 660.
constexpr RectF ValueBox(float y) {
    return {660, y, 560, 60};
}

inline constexpr int kTrackWidth = 860;
inline constexpr int kTrackHeight = 30;

// The raw byte is not limited: values above 100 run past the track and the canvas clips them.
constexpr int BarWidth(std::uint8_t percent) {
    return percent * kTrackWidth / 100;
}

// "%02d %%" of the raw byte: 5 gives "05 %", 255 gives "255 %".
std::string PercentText(std::uint8_t percent);

// "%d dBm" of the level.
std::string LevelText(std::int32_t levelDbm);

// Both grey tracks first, then both bars, so neither track hides the other bar.
void DrawStrengthQualityBars(Canvas& canvas, int x, int strengthY, int qualityY,
                             std::uint8_t strength, std::uint8_t quality);

// The battery, always, then the LNB voltage and 22 kHz badges the entry asks for.
void DrawStatusIcons(Canvas& canvas, const MeasureEntry& entry);

// Green "LOCK" word for any non-zero `locked`, red "UNLOCK" for 0, in the big font,
// centred horizontally and aligned to the top of `box`.
void DrawLockIndicator(Canvas& canvas, std::uint8_t locked, Language language, RectF box);

}  // namespace quorvel::measure
