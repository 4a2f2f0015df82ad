#include "render/MeasureParts.h"

#include "data/Formatting.h"
#include "data/ScreenText.h"
#include "render/ScreenParts.h"

namespace quorvel::measure {

namespace {
constexpr int kLockTextId = 29;
constexpr int kUnlockTextId = 30;
}  // namespace

std::string PercentText(std::uint8_t percent) {
    return FormatPrintf("%02d %%", percent);
}

std::string LevelText(std::int32_t levelDbm) {
    return FormatPrintf("%d dBm", levelDbm);
}

void DrawStrengthQualityBars(Canvas& canvas, int x, int strengthY, int qualityY,
                             std::uint8_t strength, std::uint8_t quality) {
    canvas.FillRect(kPanelGrey, {x, strengthY, kTrackWidth, kTrackHeight});
    canvas.FillRect(kPanelGrey, {x, qualityY, kTrackWidth, kTrackHeight});
    canvas.FillRect(kBarRed, {x, strengthY, BarWidth(strength), kTrackHeight});
    canvas.FillRect(kBarRed, {x, qualityY, BarWidth(quality), kTrackHeight});
}

void DrawStatusIcons(Canvas& canvas, const MeasureEntry& entry) {
    canvas.DrawImage(IconId::Battery, 1200, 10);
    DrawLnbBadges(canvas, entry.lnbVoltage(), entry.tone22k(), {1030, 20}, {1080, 20});
}

void DrawLockIndicator(Canvas& canvas, std::uint8_t locked, Language language, RectF box) {
    if (locked != 0) {
        canvas.DrawText(ScreenText(language, kLockTextId), kFontLock, box, kTopCentred, kLockGreen);
    } else {
        canvas.DrawText(ScreenText(language, kUnlockTextId), kFontLock, box, kTopCentred,
                        kUnlockRed);
    }
}

}  // namespace quorvel::measure
