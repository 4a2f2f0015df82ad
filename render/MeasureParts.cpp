#include "render/MeasureParts.h"

#include "data/Formatting.h"
#include "data/ScreenText.h"
#include "render/ScreenParts.h"

namespace quorvel::measure {

std::string LevelText(std::int32_t levelDbm) {
    return FormatPrintf("%d dBm", levelDbm);
}

void DrawStrengthQualityBars(Canvas& canvas, int x, int strengthY, int qualityY,
                             std::uint8_t strength, std::uint8_t quality) {
    canvas.In(RegionId::StrengthBar);
    canvas.FillRect(palette::kPanelGrey, {x, strengthY, kTrackWidth, kTrackHeight});
    canvas.In(RegionId::QualityBar);
    canvas.FillRect(palette::kPanelGrey, {x, qualityY, kTrackWidth, kTrackHeight});
    canvas.In(RegionId::StrengthBar);
    canvas.FillRect(palette::kBarRed, {x, strengthY, BarWidth(strength, kTrackWidth), kTrackHeight});
    canvas.In(RegionId::QualityBar);
    canvas.FillRect(palette::kBarRed, {x, qualityY, BarWidth(quality, kTrackWidth), kTrackHeight});
}

void DrawStatusIcons(Canvas& canvas, const MeasureEntry& entry) {
    canvas.In(RegionId::Battery);
    canvas.DrawImage(IconId::Battery, kBatteryAt.x, kBatteryAt.y);
    canvas.In(RegionId::StatusIcons);
    DrawLnbBadges(canvas, entry.lnbVoltage(), entry.tone22k(), kVoltageBadgeAt, kToneBadgeAt);
}

namespace {

TextId LockWordId(std::uint8_t locked) {
    return locked != 0 ? TextId::Lock : TextId::Unlock;
}

}  // namespace

std::u16string_view LockWord(std::uint8_t locked, Language language) {
    return ScreenText(language, LockWordId(locked));
}

void DrawLockIndicator(Canvas& canvas, std::uint8_t locked, Language language, RectF box) {
    canvas.In(RegionId::LockWord);
    canvas.DrawText(language, LockWordId(locked), kFontLock, box, kTopCentred,
                    locked != 0 ? palette::kGreen : palette::kRed);
}

}  // namespace quorvel::measure
