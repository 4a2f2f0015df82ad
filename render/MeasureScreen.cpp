#include "render/MeasureScreen.h"

#include "data/Formatting.h"
#include "data/ScreenText.h"
#include "render/MeasureParts.h"
#include "render/ScreenParts.h"
#include "render/ValueTexts.h"

namespace quorvel {

namespace {

using namespace measure;
using namespace measure_screen;
using namespace palette;

constexpr int kReadoutTop = 390;
constexpr int kReadoutHeight = 137;
constexpr int kStrengthRowY = 527;
constexpr int kQualityRowY = 577;

constexpr DeclaredRegion kRegions[] = {
    kTitleRegion,
    kStatusIconsRegion,
    kBatteryRegion,
    {RegionId::ValueRows, {0, kTitleBottom, kScreenWidth, kBandTopRule.y - kTitleBottom}},
    {RegionId::LockWord, ToIntRect(kLockBox)},
    {RegionId::LevelReadout, {0, kReadoutTop, 490, kReadoutHeight}},
    {RegionId::ErrorReadout, {790, kReadoutTop, 490, kReadoutHeight}},
    {RegionId::StrengthBar, {0, kStrengthRowY, kScreenWidth, kQualityRowY - kStrengthRowY}},
    {RegionId::QualityBar, {0, kQualityRowY, kScreenWidth, kBottomRule.y - kQualityRowY}},
};

}  // namespace

void DrawMeasure(Canvas& canvas, const MeasureEntry& entry, Language language, DvbType dvbType) {
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
    canvas.FillRect(kRuleBlue, {50, 298, 1180, 1});
    canvas.FillRect(kRuleBlue, kBandTopRule);
    canvas.FillRect(kRuleBlue, kBottomRule);
    DrawStatusIcons(canvas, entry);

    const TextId title = dvbType == DvbType::Terrestrial ? TextId::TerrestrialMeasureTitle
                                                         : TextId::CableMeasureTitle;
    canvas.In(RegionId::Title);
    canvas.DrawText(text(title), kFontNormal, kTitleAt, kBlack);
    canvas.In(RegionId::ValueRows);
    canvas.DrawText(text(TextId::ChannelNo), kFontNormal, PointF{60, 100}, kBlack);
    canvas.DrawText(text(TextId::Frequency), kFontNormal, PointF{60, 170}, kBlack);
    canvas.DrawText(text(TextId::BandWidth), kFontNormal, PointF{60, 240}, kBlack);
    canvas.DrawText(Widened(entry.targetName()), kFontNormal, ValueBox(103), kCentred, kBlack);
    canvas.DrawText(Widened(MeasureFrequencyText(entry.frequency())), kFontNormal, ValueBox(170),
                    kCentred, kBlack);
    canvas.DrawText(Widened(MeasureThirdRowText(entry.symbolRateOrBandwidth(), dvbType)),
                    kFontNormal, ValueBox(240), kCentred, kBlack);
    canvas.DrawText(text(TextId::Search), kFontNormal, PointF{60, 310}, kBlack);
    canvas.DrawText(language, TextId::Ok, kFontNormal, ValueBox(310), kCentred, kBlack);
    canvas.In(RegionId::LevelReadout);
    canvas.DrawText(text(TextId::Level), kFontNormal, PointF{80, 400}, kBlack);
    canvas.DrawText(text(TextId::CnLabel), kFontNormal, PointF{80, 460}, kBlack);
    canvas.In(RegionId::ErrorReadout);
    canvas.DrawText(text(TextId::MeasurePerLabel), kFontNormal, PointF{900, 460}, kBlack);
    canvas.DrawText(text(TextId::BerLabel), kFontNormal, PointF{900, 400}, kBlack);
    canvas.In(RegionId::StrengthBar);
    canvas.DrawText(text(TextId::Strength), kFontNormal, PointF{30, 530}, kBlack);
    canvas.In(RegionId::QualityBar);
    canvas.DrawText(text(TextId::Quality), kFontNormal, PointF{30, 580}, kBlack);

    canvas.In(RegionId::StrengthBar);
    canvas.DrawText(Widened(FormatPercent(entry.strength())), kFontNormal, PointF{1130, 530},
                    kValueOrange);
    canvas.In(RegionId::QualityBar);
    canvas.DrawText(Widened(FormatPercent(entry.quality())), kFontNormal, PointF{1130, 580},
                    kValueOrange);
    canvas.In(RegionId::LevelReadout);
    canvas.DrawText(Widened(LevelText(entry.levelDbm())), kFontNormal, PointF{220, 400},
                    kValueOrange);
    canvas.DrawText(Widened(FormatCnDb(entry.carrierToNoise())), kFontNormal, PointF{220, 460},
                    kValueOrange);
    canvas.In(RegionId::ErrorReadout);
    canvas.DrawText(Widened(FormatBer(entry.perMantissa(), entry.perExponent())), kFontNormal,
                    PointF{1040, 460}, kValueOrange);
    canvas.DrawText(Widened(FormatBer(entry.berMantissa(), entry.berExponent())), kFontNormal,
                    PointF{1040, 400}, kValueOrange);

    DrawLockIndicator(canvas, entry.locked(), language, kLockBox);
}

}  // namespace quorvel
