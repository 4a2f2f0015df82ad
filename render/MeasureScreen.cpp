#include "render/MeasureScreen.h"

#include "data/Formatting.h"
#include "data/ScreenText.h"
#include "render/MeasureParts.h"
#include "render/ScreenParts.h"

namespace quorvel {

namespace {

using namespace measure;

enum TextId : int {
    kSearch = 3,
    kOk = 4,
    kStrength = 5,
    kQuality = 6,
    kCnLabel = 8,
    kBerLabel = 9,
    kLevelLabel = 21,
    kChannel = 22,
    kTerrestrialTitle = 23,
    kBandWidth = 24,
    kCableTitle = 26,
    kFrequency = 27,
    kPerLabel = 28,
};

// The frequency field counts 10 kHz steps.
std::string FrequencyText(std::uint32_t frequency) {
    return FormatPrintf("%u.%02u MHz", frequency / 100, frequency % 100);
}

// Terrestrial entries carry a bandwidth code; cable entries carry a plain number in that field.
std::string ThirdRowText(std::uint16_t symbolRateOrBandwidth, DvbType dvbType) {
    if (dvbType == DvbType::Terrestrial) return BandwidthName(symbolRateOrBandwidth);
    return FormatPrintf("%d", symbolRateOrBandwidth);
}

}  // namespace

void DrawMeasure(Canvas& canvas, const MeasureEntry& entry, Language language, DvbType dvbType) {
    const auto text = [language](int id) { return ScreenText(language, id); };

    canvas.FillRect(kPanelGrey, {0, 0, kScreenWidth, kScreenHeight});
    canvas.FillRect(kBandWhite, {0, 370, kScreenWidth, 270});
    DrawStrengthQualityBars(canvas, 240, 545, 595, entry.strength(), entry.quality());
    canvas.FillRect(kRuleBlue, {0, 78, kScreenWidth, 2});
    canvas.FillRect(kRuleBlue, {50, 158, 1180, 1});
    canvas.FillRect(kRuleBlue, {50, 228, 1180, 1});
    canvas.FillRect(kRuleBlue, {50, 298, 1180, 1});
    // Starts 2 rows above the white band and so covers its first 3 pixel rows.
    canvas.FillRect(kRuleBlue, {0, 368, kScreenWidth, 5});
    canvas.FillRect(kRuleBlue, {0, 640, kScreenWidth, 2});
    DrawStatusIcons(canvas, entry);

    const int titleId = dvbType == DvbType::Terrestrial ? kTerrestrialTitle : kCableTitle;
    canvas.DrawText(text(titleId), kFontNormal, PointF{50, 20}, kLabelBlack);
    canvas.DrawText(text(kChannel), kFontNormal, PointF{60, 100}, kLabelBlack);
    canvas.DrawText(text(kFrequency), kFontNormal, PointF{60, 170}, kLabelBlack);
    canvas.DrawText(text(kBandWidth), kFontNormal, PointF{60, 240}, kLabelBlack);
    canvas.DrawText(Widened(entry.targetName()), kFontNormal, ValueBox(103), kCentred, kLabelBlack);
    canvas.DrawText(Widened(FrequencyText(entry.frequency())), kFontNormal, ValueBox(170), kCentred,
                    kLabelBlack);
    canvas.DrawText(Widened(ThirdRowText(entry.symbolRateOrBandwidth(), dvbType)), kFontNormal,
                    ValueBox(240), kCentred, kLabelBlack);
    canvas.DrawText(text(kSearch), kFontNormal, PointF{60, 310}, kLabelBlack);
    canvas.DrawText(text(kOk), kFontNormal, ValueBox(310), kCentred, kLabelBlack);
    canvas.DrawText(text(kLevelLabel), kFontNormal, PointF{80, 400}, kLabelBlack);
    canvas.DrawText(text(kCnLabel), kFontNormal, PointF{80, 460}, kLabelBlack);
    canvas.DrawText(text(kPerLabel), kFontNormal, PointF{900, 460}, kLabelBlack);
    canvas.DrawText(text(kBerLabel), kFontNormal, PointF{900, 400}, kLabelBlack);
    canvas.DrawText(text(kStrength), kFontNormal, PointF{30, 530}, kLabelBlack);
    canvas.DrawText(text(kQuality), kFontNormal, PointF{30, 580}, kLabelBlack);

    canvas.DrawText(Widened(PercentText(entry.strength())), kFontNormal, PointF{1130, 530},
                    kValueOrange);
    canvas.DrawText(Widened(PercentText(entry.quality())), kFontNormal, PointF{1130, 580},
                    kValueOrange);
    canvas.DrawText(Widened(LevelText(entry.levelDbm())), kFontNormal, PointF{220, 400},
                    kValueOrange);
    canvas.DrawText(Widened(FormatCnDb(entry.carrierToNoise())), kFontNormal, PointF{220, 460},
                    kValueOrange);
    canvas.DrawText(Widened(FormatBer(entry.perMantissa(), entry.perExponent())), kFontNormal,
                    PointF{1040, 460}, kValueOrange);
    canvas.DrawText(Widened(FormatBer(entry.berMantissa(), entry.berExponent())), kFontNormal,
                    PointF{1040, 400}, kValueOrange);

    DrawLockIndicator(canvas, entry.locked(), language, RectF{490, 375, 300, 150});
}

}  // namespace quorvel
