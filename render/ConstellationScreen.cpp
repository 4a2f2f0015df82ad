#include "render/ConstellationScreen.h"

#include <string>

#include "data/Formatting.h"
#include "data/ScreenText.h"
#include "render/ScreenParts.h"

namespace quorvel {

namespace {

constexpr Argb kBackground = 0xFFE6E6E6;
constexpr Argb kRule = 0xFF0080FF;
constexpr Argb kBlack = 0xFF000000;
constexpr Argb kPoint = 0xFFC8C8C8;
constexpr Argb kTrack = 0xFFFFFFFF;
constexpr Argb kBar = 0xFF065E86;
constexpr Argb kLevel = 0xFFFF0000;
constexpr Argb kValue = 0xFFFF8000;

constexpr int kBandTop = 240;
constexpr IntRect kMoreBand{0, kBandTop, kScreenWidth, kScreenHeight - kBandTop};
constexpr IntRect kAboveBand{0, 0, kScreenWidth, kBandTop};

// Points are accepted up to x 600 and y 570 with no lower limit, so their squares can reach
// anywhere up and left of (602, 692), including the title area above the diagram field.
constexpr int kPointMaxX = 600;
constexpr int kPointMaxY = 570;
constexpr int kPointRowOffset = 120;
constexpr int kPointSize = 2;
constexpr int kPointMinX = -32768;
constexpr int kPointMinTop = -32768 + kPointRowOffset;
constexpr IntRect kPointReach{kPointMinX, kPointMinTop, kPointMaxX + kPointSize - kPointMinX,
                              kPointMaxY + kPointRowOffset + kPointSize - kPointMinTop};

constexpr TextFormat kCentred{Align::Center, Align::Center};

// The bar is the percentage of an 820-pixel track; values above 100 run past it unclamped.
constexpr int BarWidth(std::uint8_t percent) {
    return percent * 82 / 10;
}

// The transponder, or the entry's own UTF-16 name when it carries no transponder data.
std::u16string TransponderOrName(const ConstellationEntry& entry) {
    if (entry.frequency() == 0) return entry.displayName();
    return Widened(FormatFreqPol(entry.frequency(), entry.symbolRate(), entry.polarisation()));
}

std::u16string_view Title(Language language, DvbType dvbType) {
    switch (dvbType) {
        case DvbType::Satellite:
            return ScreenText(language, 11);
        case DvbType::Terrestrial:
            return ScreenText(language, 31);
        case DvbType::Cable:
            return ScreenText(language, 32);
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
    return Widened(FormatPrintf("%02d %%", value));
}

// Every slot is a point; the meter keeps no count of used slots.
void DrawPoints(Canvas& canvas, const ConstellationEntry& entry) {
    if (!canvas.NeedsArea(kPointReach)) return;
    for (std::size_t slot = 0; slot < ConstellationEntry::kPointCount; ++slot) {
        const int x = entry.pointX(slot);
        const int y = entry.pointY(slot);
        if (x > kPointMaxX || y > kPointMaxY) continue;
        canvas.FillRect(kPoint, {x, y + kPointRowOffset, kPointSize, kPointSize});
    }
}

void DrawDiagramView(Canvas& canvas, const ConstellationEntry& entry, Language language,
                     DvbType dvbType) {
    const ScreenFont font = kFontNormal;
    canvas.FillRect(kBackground, {0, 0, kScreenWidth, kScreenHeight});
    canvas.DrawImage(IconId::Battery, 1200, 10);
    canvas.DrawImage(IconId::KeyF1, 1000, 650);
    canvas.FillRect(kRule, {0, 78, kScreenWidth, 2});
    if (const auto title = Title(language, dvbType); !title.empty()) {
        canvas.DrawText(title, font, PointF{50, 20}, kBlack);
    }
    canvas.FillRect(kBlack, {0, 90, 650, 630});
    canvas.DrawText(TransponderOrName(entry), font, RectF{680, 120, 500, 60}, kCentred, kBlack);
    canvas.DrawText(Modulation(entry), font, RectF{680, 200, 500, 60}, kCentred, kBlack);
    canvas.DrawText(ScreenText(language, 9), font, PointF{680, 280}, kBlack);
    canvas.DrawText(Ber(entry), font, PointF{880, 280}, kBlack);
    canvas.DrawText(ScreenText(language, 8), font, PointF{680, 360}, kBlack);
    canvas.DrawText(CarrierToNoise(entry), font, PointF{880, 360}, kBlack);
    canvas.DrawText(ScreenText(language, 12), font, PointF{1060, 650}, kBlack);
    DrawPoints(canvas, entry);
}

// Draws nothing above y 240: what lies there is the diagram view's.
void DrawMoreBand(Canvas& canvas, const ConstellationEntry& entry, Language language) {
    const ScreenFont font = kFontNormal;
    canvas.FillRect(kBackground, kMoreBand);
    canvas.FillRect(kRule, {50, 310, 1180, 1});
    canvas.FillRect(kRule, {50, 380, 1180, 1});
    canvas.FillRect(kTrack, {260, 515, 820, 30});
    canvas.FillRect(kTrack, {260, 585, 820, 30});
    canvas.FillRect(kBar, {260, 585, BarWidth(entry.strength()), 30});
    canvas.FillRect(kBar, {260, 515, BarWidth(entry.quality()), 30});
    const int rowLabel = entry.frequency() == 0 ? 13 : 2;
    canvas.DrawText(ScreenText(language, rowLabel), font, PointF{60, 250}, kBlack);
    canvas.DrawText(TransponderOrName(entry), font, PointF{660, 250}, kBlack);
    canvas.DrawText(ScreenText(language, 7), font, PointF{60, 320}, kBlack);
    canvas.DrawText(ScreenText(language, 8), font, PointF{60, 390}, kBlack);
    canvas.DrawText(ScreenText(language, 14), font, PointF{660, 320}, kBlack);
    canvas.DrawText(ScreenText(language, 9), font, PointF{660, 390}, kBlack);
    canvas.DrawText(ScreenText(language, 6), font, PointF{60, 510}, kBlack);
    canvas.DrawText(ScreenText(language, 5), font, PointF{60, 580}, kBlack);
    canvas.DrawText(Widened(FormatPrintf("--%d dBm", entry.levelDbm())), font, PointF{200, 320},
                    kLevel);
    canvas.DrawText(Modulation(entry), font, PointF{800, 320}, kValue);
    canvas.DrawText(CarrierToNoise(entry), font, PointF{200, 390}, kValue);
    canvas.DrawText(Ber(entry), font, PointF{800, 390}, kValue);
    canvas.DrawText(Percent(entry.strength()), font, PointF{1100, 580}, kValue);
    canvas.DrawText(Percent(entry.quality()), font, PointF{1100, 510}, kValue);
}

}  // namespace

void DrawConstellation(Canvas& canvas, const ConstellationEntry& entry, Language language,
                       DvbType dvbType, bool showMore) {
    if (!showMore) {
        DrawDiagramView(canvas, entry, language, dvbType);
        return;
    }
    // F1 repaints only the band, so the rows above it keep the diagram view. A pass that also
    // repaints those rows while the More view is on draws the diagram view first, so they never
    // show another screen's leftovers; the band's opaque background covers the rest of it.
    if (canvas.NeedsArea(kAboveBand)) DrawDiagramView(canvas, entry, language, dvbType);
    DrawMoreBand(canvas, entry, language);
}

}  // namespace quorvel
