#include "render/SatelliteFindingScreen.h"

#include "data/Formatting.h"
#include "data/ScreenText.h"
#include "render/MeasureParts.h"
#include "render/ScreenParts.h"

namespace quorvel {

namespace {

using namespace measure;

enum TextId : int {
    kTitle = 0,
    kSatellite = 1,
    kTransponder = 2,
    kSearch = 3,
    kOk = 4,
    kStrength = 5,
    kQuality = 6,
    kPerLabel = 7,  // the meter labels the dBm level with "PER:" on this screen
    kCnLabel = 8,
    kBerLabel = 9,
    kFecLabel = 10,
};

}  // namespace

void DrawSatelliteFinding(Canvas& canvas, const MeasureEntry& entry, Language language) {
    const auto text = [language](int id) { return ScreenText(language, id); };

    canvas.FillRect(kPanelGrey, {0, 0, kScreenWidth, kScreenHeight});
    canvas.FillRect(kBandWhite, {0, 300, kScreenWidth, 340});
    DrawStrengthQualityBars(canvas, 220, 525, 595, entry.strength(), entry.quality());
    canvas.FillRect(kRuleBlue, {0, 78, kScreenWidth, 2});
    canvas.FillRect(kRuleBlue, {50, 158, 1180, 1});
    canvas.FillRect(kRuleBlue, {50, 228, 1180, 1});
    canvas.FillRect(kRuleBlue, {0, 300, kScreenWidth, 5});
    canvas.FillRect(kRuleBlue, {0, 640, kScreenWidth, 2});
    DrawStatusIcons(canvas, entry);

    canvas.DrawText(text(kTitle), kFontNormal, PointF{50, 20}, kLabelBlack);
    canvas.DrawText(text(kSatellite), kFontNormal, PointF{60, 100}, kLabelBlack);
    canvas.DrawText(text(kTransponder), kFontNormal, PointF{60, 170}, kLabelBlack);
    canvas.DrawText(text(kSearch), kFontNormal, PointF{60, 240}, kLabelBlack);
    canvas.DrawText(Widened(entry.targetName()), kFontNormal, ValueBox(103), kCentred, kLabelBlack);
    canvas.DrawText(Widened(FormatFreqPol(static_cast<std::int32_t>(entry.frequency()),
                                          entry.symbolRateOrBandwidth(), entry.polarisation())),
                    kFontNormal, ValueBox(170), kCentred, kLabelBlack);
    canvas.DrawText(text(kOk), kFontNormal, ValueBox(240), kCentred, kLabelBlack);
    canvas.DrawText(Widened(FormatServiceLine(entry.orbitalPosition(), entry.deliverySystem(),
                                              entry.modulation(), entry.lineFrequency(),
                                              entry.lineSymbolRate())),
                    kFontNormal, RectF{360, 310, 600, 60}, kCentred, kLabelBlack);
    canvas.DrawText(text(kPerLabel), kFontNormal, PointF{530, 380}, kLabelBlack);
    canvas.DrawText(text(kCnLabel), kFontNormal, PointF{900, 380}, kLabelBlack);
    canvas.DrawText(text(kFecLabel), kFontNormal, PointF{530, 450}, kLabelBlack);
    canvas.DrawText(text(kBerLabel), kFontNormal, PointF{900, 450}, kLabelBlack);
    canvas.DrawText(text(kStrength), kFontNormal, PointF{30, 510}, kLabelBlack);
    canvas.DrawText(text(kQuality), kFontNormal, PointF{30, 580}, kLabelBlack);

    canvas.DrawText(Widened(PercentText(entry.strength())), kFontNormal, PointF{1100, 510},
                    kValueOrange);
    canvas.DrawText(Widened(PercentText(entry.quality())), kFontNormal, PointF{1100, 580},
                    kValueOrange);
    canvas.DrawText(Widened(LevelText(entry.levelDbm())), kFontNormal, PointF{650, 380},
                    kValueOrange);
    canvas.DrawText(Widened(FormatCnDb(entry.carrierToNoise())), kFontNormal, PointF{1000, 380},
                    kValueOrange);
    canvas.DrawText(Widened(FormatFec(entry.fecIndex())), kFontNormal, PointF{650, 450},
                    kValueOrange);
    canvas.DrawText(Widened(FormatBer(entry.berMantissa(), entry.berExponent())), kFontNormal,
                    PointF{1000, 450}, kValueOrange);

    DrawLockIndicator(canvas, entry.locked(), language, RectF{20, 350, 500, 160});
}

}  // namespace quorvel
