#include "render/SatelliteFindingScreen.h"

#include "data/Formatting.h"
#include "data/ScreenText.h"
#include "render/MeasureParts.h"
#include "render/ScreenParts.h"

namespace quorvel {

using namespace measure;
using namespace satellite_finding;
using namespace palette;

namespace {

constexpr IntRect kServiceLine{360, 310, 600, 60};
constexpr int kStrengthRowY = 510;
constexpr int kQualityRowY = 575;

constexpr DeclaredRegion kRegions[] = {
    kTitleRegion,
    kStatusIconsRegion,
    kBatteryRegion,
    {RegionId::ValueRows, {0, kTitleBottom, kScreenWidth, kWhiteBand.y - kTitleBottom}},
    {RegionId::ServiceLine, kServiceLine},
    {RegionId::LockWord, ToIntRect(kLockBox)},
    {RegionId::ReadoutPanel, {520, 370, 760, 140}},
    {RegionId::StrengthBar, {0, kStrengthRowY, kScreenWidth, kQualityRowY - kStrengthRowY}},
    {RegionId::QualityBar, {0, kQualityRowY, kScreenWidth, kBottomRule.y - kQualityRowY}},
};

}  // namespace

void DrawSatelliteFinding(Canvas& canvas, const MeasureEntry& entry, Language language) {
    const auto text = [language](TextId id) { return ScreenText(language, id); };

    canvas.DeclareRegions(kRegions);
    canvas.FillRect(kPanelGrey, kWholeScreen);
    canvas.FillRect(kWhite, kWhiteBand);
    DrawStrengthQualityBars(canvas, kBarsX, kStrengthBarY, kQualityBarY, entry.strength(),
                            entry.quality());
    canvas.In(RegionId::Screen);
    canvas.FillRect(kRuleBlue, kTitleRule);
    canvas.FillRect(kRuleBlue, {50, 158, 1180, 1});
    canvas.FillRect(kRuleBlue, {50, 228, 1180, 1});
    canvas.FillRect(kRuleBlue, kBandTopRule);
    canvas.FillRect(kRuleBlue, kBottomRule);
    DrawStatusIcons(canvas, entry);

    canvas.In(RegionId::Title);
    canvas.DrawText(text(TextId::SatelliteFindingTitle), kFontNormal, kTitleAt, kBlack);
    canvas.In(RegionId::ValueRows);
    canvas.DrawText(text(TextId::Satellite), kFontNormal, PointF{60, 100}, kBlack);
    canvas.DrawText(text(TextId::Transponder), kFontNormal, PointF{60, 170}, kBlack);
    canvas.DrawText(text(TextId::Search), kFontNormal, PointF{60, 240}, kBlack);
    canvas.DrawText(Widened(entry.targetName()), kFontNormal, ValueBox(103), kCentred, kBlack);
    canvas.DrawText(Widened(FormatFreqPol(static_cast<std::int32_t>(entry.frequency()),
                                          entry.symbolRateOrBandwidth(), entry.polarisation())),
                    kFontNormal, ValueBox(170), kCentred, kBlack);
    canvas.DrawText(language, TextId::Ok, kFontNormal, ValueBox(240), kCentred, kBlack);
    canvas.In(RegionId::ServiceLine);
    canvas.DrawText(Widened(FormatServiceLine(entry.orbitalPosition(), entry.deliverySystem(),
                                              entry.modulation(), entry.lineFrequency(),
                                              entry.lineSymbolRate())),
                    kFontNormal, ToRectF(kServiceLine), kCentred, kBlack);
    canvas.In(RegionId::ReadoutPanel);
    canvas.DrawText(text(TextId::PerLabel), kFontNormal, PointF{530, 380}, kBlack);
    canvas.DrawText(text(TextId::CnLabel), kFontNormal, PointF{900, 380}, kBlack);
    canvas.DrawText(text(TextId::FecLabel), kFontNormal, PointF{530, 450}, kBlack);
    canvas.DrawText(text(TextId::BerLabel), kFontNormal, PointF{900, 450}, kBlack);
    canvas.In(RegionId::StrengthBar);
    canvas.DrawText(text(TextId::Strength), kFontNormal, PointF{30, 510}, kBlack);
    canvas.In(RegionId::QualityBar);
    canvas.DrawText(text(TextId::Quality), kFontNormal, PointF{30, 580}, kBlack);

    canvas.In(RegionId::StrengthBar);
    canvas.DrawText(Widened(FormatPercent(entry.strength())), kFontNormal, PointF{1100, 510},
                    kValueOrange);
    canvas.In(RegionId::QualityBar);
    canvas.DrawText(Widened(FormatPercent(entry.quality())), kFontNormal, PointF{1100, 580},
                    kValueOrange);

    canvas.In(RegionId::ReadoutPanel);
    canvas.DrawText(Widened(LevelText(entry.levelDbm())), kFontNormal, PointF{650, 380},
                    kValueOrange);
    canvas.DrawText(Widened(FormatCnDb(entry.carrierToNoise())), kFontNormal, PointF{1000, 380},
                    kValueOrange);
    canvas.DrawText(Widened(FormatFec(entry.fecIndex())), kFontNormal, PointF{650, 450},
                    kValueOrange);
    canvas.DrawText(Widened(FormatBer(entry.berMantissa(), entry.berExponent())), kFontNormal,
                    PointF{1000, 450}, kValueOrange);

    DrawLockIndicator(canvas, entry.locked(), language, kLockBox);
}

}  // namespace quorvel
