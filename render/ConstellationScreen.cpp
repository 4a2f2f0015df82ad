#include "render/ConstellationScreen.h"

#include <string>

#include "data/Formatting.h"
#include "data/ScreenText.h"
#include "render/ScreenParts.h"
#include "render/ValueTexts.h"

namespace quorvel {

namespace {

using namespace constellation;
using namespace palette;

// Points have no lower limit, so their squares can reach anywhere up and left of (602, 692),
// including the title area above the diagram field.
constexpr int kPointRowOffset = 120;
constexpr int kPointSize = 2;

constexpr TextFormat kCentred{Align::Center, Align::Center};

constexpr int kTitleBottom = kTitleRule.y + kTitleRule.h;
constexpr int kReadoutX = kDiagramField.x + kDiagramField.w;
constexpr int kKeyHelpY = kF1KeyAt.y - 10;

constexpr DeclaredRegion kDiagramViewRegions[] = {
    {RegionId::Title, {0, 0, kBatteryAt.x, kTitleBottom}},
    {RegionId::Battery, {kBatteryAt.x, 0, kScreenWidth - kBatteryAt.x, kTitleBottom}},
    {RegionId::Diagram, kDiagramField},
    {RegionId::ReadoutPanel,
     {kReadoutX, kTitleBottom, kScreenWidth - kReadoutX, kKeyHelpY - kTitleBottom}},
    {RegionId::KeyHelp, {kF1KeyAt.x, kKeyHelpY, kScreenWidth - kF1KeyAt.x, kScreenHeight - kKeyHelpY}},
};

// The bars' rows start 10 pixels above their tracks and are as tall as the step between them.
constexpr int kBarRowHeight = kStrengthTrack.y - kQualityTrack.y;
constexpr DeclaredRegion kMoreBandRegions[] = {
    {RegionId::MoreBand, kMoreBand},
    {RegionId::MoreRows, {0, kMoreBandTop, kScreenWidth, kQualityTrack.y - 10 - kMoreBandTop}},
    {RegionId::QualityBar, {0, kQualityTrack.y - 10, kScreenWidth, kBarRowHeight}},
    {RegionId::StrengthBar, {0, kStrengthTrack.y - 10, kScreenWidth, kBarRowHeight}},
};

std::u16string_view Title(Language language, DvbType dvbType) {
    switch (dvbType) {
        case DvbType::Satellite:
            return ScreenText(language, TextId::SatelliteConstellationTitle);
        case DvbType::Terrestrial:
            return ScreenText(language, TextId::TerrestrialConstellationTitle);
        case DvbType::Cable:
            return ScreenText(language, TextId::CableConstellationTitle);
    }
    return {};
}

std::u16string Modulation(const ConstellationEntry& entry) {
    return Widened(ModulationName(entry.deliverySystem(), entry.modulation()));
}

std::u16string Ber(const ConstellationEntry& entry) {
    return Widened(FormatBer(entry.berMantissa(), entry.berExponent()));
}

std::u16string CarrierToNoise(const ConstellationEntry& entry) {
    return Widened(FormatCnDb(entry.carrierToNoise()));
}

std::u16string Percent(std::uint8_t value) {
    return Widened(FormatPercent(value));
}

// Every slot is a point; the meter keeps no count of used slots.
void DrawPoints(Canvas& canvas, const ConstellationEntry& entry) {
    canvas.Reserve(ConstellationEntry::kPointCount);
    for (std::size_t slot = 0; slot < ConstellationEntry::kPointCount; ++slot) {
        const int x = entry.pointX(slot);
        const int y = entry.pointY(slot);
        if (!PointIsDrawn(x, y)) continue;
        canvas.FillRect(kPointGrey, {x, y + kPointRowOffset, kPointSize, kPointSize});
    }
}

void DrawDiagramView(Canvas& canvas, const ConstellationEntry& entry, Language language,
                     DvbType dvbType) {
    const ScreenFont font = kFontNormal;
    canvas.DeclareRegions(kDiagramViewRegions);
    canvas.In(RegionId::Screen);
    canvas.FillRect(kPanelGrey, kWholeScreen);
    canvas.In(RegionId::Battery);
    canvas.DrawImage(IconId::Battery, kBatteryAt.x, kBatteryAt.y);
    canvas.In(RegionId::KeyHelp);
    canvas.DrawImage(IconId::KeyF1, kF1KeyAt.x, kF1KeyAt.y);
    canvas.In(RegionId::Screen);
    canvas.FillRect(kRuleBlue, kTitleRule);
    canvas.In(RegionId::Title);
    if (const auto title = Title(language, dvbType); !title.empty()) {
        canvas.DrawText(title, font, kTitleAt, kBlack);
    }
    canvas.In(RegionId::Diagram);
    canvas.FillRect(kBlack, kDiagramField);
    canvas.In(RegionId::ReadoutPanel);
    canvas.DrawText(TransponderOrName(entry), font, RectF{680, 120, 500, 60}, kCentred, kBlack);
    canvas.DrawText(Modulation(entry), font, RectF{680, 200, 500, 60}, kCentred, kBlack);
    canvas.DrawText(ScreenText(language, TextId::BerLabel), font, PointF{680, 280}, kBlack);
    canvas.DrawText(Ber(entry), font, PointF{880, 280}, kBlack);
    canvas.DrawText(ScreenText(language, TextId::CnLabel), font, PointF{680, 360}, kBlack);
    canvas.DrawText(CarrierToNoise(entry), font, PointF{880, 360}, kBlack);
    canvas.In(RegionId::KeyHelp);
    canvas.DrawText(ScreenText(language, TextId::More), font, PointF{1060, 650}, kBlack);
    canvas.In(RegionId::Diagram);
    DrawPoints(canvas, entry);
}

// Draws nothing above y 240: what lies there is the diagram view's.
void DrawMoreBand(Canvas& canvas, const ConstellationEntry& entry, Language language) {
    const ScreenFont font = kFontNormal;
    canvas.DeclareRegions(kMoreBandRegions);
    canvas.In(RegionId::MoreBand);
    canvas.FillRect(kPanelGrey, kMoreBand);
    canvas.In(RegionId::MoreRows);
    canvas.FillRect(kRuleBlue, {50, 310, 1180, 1});
    canvas.FillRect(kRuleBlue, {50, 380, 1180, 1});
    canvas.In(RegionId::QualityBar);
    canvas.FillRect(kWhite, kQualityTrack);
    canvas.In(RegionId::StrengthBar);
    canvas.FillRect(kWhite, kStrengthTrack);
    const auto bar = [](IntRect track, std::uint8_t percent) {
        return IntRect{track.x, track.y, BarWidth(percent, track.w), track.h};
    };
    canvas.FillRect(kBarTeal, bar(kStrengthTrack, entry.strength()));
    canvas.In(RegionId::QualityBar);
    canvas.FillRect(kBarTeal, bar(kQualityTrack, entry.quality()));
    canvas.In(RegionId::MoreRows);
    const TextId rowLabel = entry.frequency() == 0 ? TextId::Name : TextId::Transponder;
    canvas.DrawText(ScreenText(language, rowLabel), font, PointF{60, 250}, kBlack);
    canvas.DrawText(TransponderOrName(entry), font, PointF{660, 250}, kBlack);
    canvas.DrawText(ScreenText(language, TextId::PerLabel), font, PointF{60, 320}, kBlack);
    canvas.DrawText(ScreenText(language, TextId::CnLabel), font, PointF{60, 390}, kBlack);
    canvas.DrawText(ScreenText(language, TextId::Mode), font, PointF{660, 320}, kBlack);
    canvas.DrawText(ScreenText(language, TextId::BerLabel), font, PointF{660, 390}, kBlack);
    canvas.In(RegionId::QualityBar);
    canvas.DrawText(ScreenText(language, TextId::Quality), font, PointF{60, 510}, kBlack);
    canvas.In(RegionId::StrengthBar);
    canvas.DrawText(ScreenText(language, TextId::Strength), font, PointF{60, 580}, kBlack);
    canvas.In(RegionId::MoreRows);
    canvas.DrawText(Widened(ConstellationLevelText(entry.levelDbm())), font, PointF{200, 320},
                    kRed);
    canvas.DrawText(Modulation(entry), font, PointF{800, 320}, kValueOrange);
    canvas.DrawText(CarrierToNoise(entry), font, PointF{200, 390}, kValueOrange);
    canvas.DrawText(Ber(entry), font, PointF{800, 390}, kValueOrange);
    canvas.In(RegionId::StrengthBar);
    canvas.DrawText(Percent(entry.strength()), font, PointF{1100, 580}, kValueOrange);
    canvas.In(RegionId::QualityBar);
    canvas.DrawText(Percent(entry.quality()), font, PointF{1100, 510}, kValueOrange);
}

}  // namespace

void DrawConstellation(Canvas& canvas, const ConstellationEntry& entry, Language language,
                       DvbType dvbType, bool showMore) {
    if (!showMore) {
        DrawDiagramView(canvas, entry, language, dvbType);
        return;
    }
    // F1 repaints only the band, so the rows above it keep the diagram view. A pass that also
    // repaints those rows while the More view is on shows the diagram view there.
    canvas.SetClip(kAboveMoreBand);
    DrawDiagramView(canvas, entry, language, dvbType);
    canvas.SetClip(kWholeScreen);
    DrawMoreBand(canvas, entry, language);
}

}  // namespace quorvel
