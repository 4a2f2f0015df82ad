// Pieces the two Measure-family screens draw alike: bars, level text, icons and the lock word.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "data/MeasureEntry.h"
#include "data/Types.h"
#include "render/Canvas.h"

namespace quorvel::measure {

inline constexpr TextFormat kCentred{Align::Center, Align::Center};
inline constexpr TextFormat kTopCentred{Align::Center, Align::Near};

// The title band the two screens share: the title left of the status icons, the battery right of
// them, down to the rule under the title.
inline constexpr int kStatusIconsX = kVoltageBadgeAt.x - 30;
inline constexpr int kTitleBottom = kTitleRule.y + kTitleRule.h;
inline constexpr DeclaredRegion kTitleRegion{RegionId::Title, {0, 0, kStatusIconsX, kTitleBottom}};
inline constexpr DeclaredRegion kStatusIconsRegion{
    RegionId::StatusIcons, {kStatusIconsX, 0, kBatteryAt.x - kStatusIconsX, kTitleBottom}};
inline constexpr DeclaredRegion kBatteryRegion{
    RegionId::Battery, {kBatteryAt.x, 0, kScreenWidth - kBatteryAt.x, kTitleBottom}};

// The value column right of the row labels: texts centred in a 560 by 60 box at x 660.
constexpr RectF ValueBox(float y) {
    return {660, y, 560, 60};
}

// "%d dBm" of the level.
std::string LevelText(std::int32_t levelDbm);

// Both grey tracks first, then both bars, so neither track hides the other bar; each in its
// region (StrengthBar, QualityBar).
void DrawStrengthQualityBars(Canvas& canvas, int x, int strengthY, int qualityY,
                             std::uint8_t strength, std::uint8_t quality);

// The battery (in Battery), always, then the LNB voltage and 22 kHz badges the entry asks for
// (in StatusIcons).
void DrawStatusIcons(Canvas& canvas, const MeasureEntry& entry);

// "LOCK" for any non-zero `locked`, "UNLOCK" for 0, in the screen language.
std::u16string_view LockWord(std::uint8_t locked, Language language);

// In LockWord: green "LOCK" word for any non-zero `locked`, red "UNLOCK" for 0, in the big font,
// centred horizontally and aligned to the top of `box`.
void DrawLockIndicator(Canvas& canvas, std::uint8_t locked, Language language, RectF box);

}  // namespace quorvel::measure
