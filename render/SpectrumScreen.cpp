#include "render/SpectrumScreen.h"

#include <algorithm>

#include "data/Formatting.h"
#include "data/ScreenText.h"
#include "render/ScreenParts.h"
#include "render/SpectrumTrace.h"

namespace quorvel {
namespace {

using namespace spectrum;
using namespace palette;

constexpr int kTitleBottom = spectrum::kTitleRule.y + spectrum::kTitleRule.h;
constexpr int kIconsX = kVoltageBadgeAt.x - 20;
constexpr int kKeyHelpY = 655;

// The plot reaches one column past its right edge and two rows past its bottom: the cursor
// column's last column and the bottom grid line are drawn there.
constexpr DeclaredRegion kRegions[] = {
    {RegionId::Title, {0, 0, kIconsX, kTitleBottom}},
    {RegionId::StatusIcons, {kIconsX, 0, spectrum::kBatteryAt.x - kIconsX, kTitleBottom}},
    {RegionId::Battery,
     {spectrum::kBatteryAt.x, 0, kScreenWidth - spectrum::kBatteryAt.x, kTitleBottom}},
    {RegionId::LevelScale, {0, kScaleAndPlot.y, kPlotLeft, kScaleAndPlot.h}},
    {RegionId::Plot, {kPlotLeft, kPlotTop, kPlotWidth + 1, kPlotHeight + 2}},
    {RegionId::ReadoutPanel,
     {kPlotRight + 1, kTitleBottom, kScreenWidth - kPlotRight - 1, kKeyHelpY - kTitleBottom}},
    {RegionId::KeyHelp,
     {kExitKeyAt.x, kKeyHelpY, kScreenWidth - kExitKeyAt.x, kScreenHeight - kKeyHelpY}},
};

void Label(Canvas& canvas, std::u16string_view text, PointF at) {
    canvas.DrawText(text, kFontNormal, at, kBlack);
}

template <typename Value>
void ValueText(Canvas& canvas, const char* format, Value value, PointF at) {
    canvas.DrawText(Widened(FormatPrintf(format, value)), kFontNormal, at, kValueOrange);
}

TextId TitleId(DvbType dvbType) {
    switch (dvbType) {
        case DvbType::Satellite:
            return TextId::SatelliteSpectrumTitle;
        case DvbType::Terrestrial:
            return TextId::TerrestrialSpectrumTitle;
        case DvbType::Cable:
            return TextId::CableSpectrumTitle;
    }
    return TextId::CableSpectrumTitle;
}

void DrawFrame(Canvas& canvas, const SpectrumEntry& entry, const SpectrumView& view) {
    canvas.FillRect(kPanelGrey, kWholeScreen);
    canvas.In(RegionId::Battery);
    canvas.DrawImage(IconId::Battery, spectrum::kBatteryAt.x, spectrum::kBatteryAt.y);
    canvas.In(RegionId::StatusIcons);
    DrawLnbBadges(canvas, entry.lnbVoltage(), entry.tone22k(), kVoltageBadgeAt, kToneBadgeAt);
    canvas.In(RegionId::KeyHelp);
    canvas.DrawImage(IconId::KeyExit, kExitKeyAt.x, kExitKeyAt.y);
    canvas.In(RegionId::Screen);
    canvas.FillRect(kRuleBlue, spectrum::kTitleRule);
    canvas.In(RegionId::Plot);
    canvas.FillRect(kBlack, kPlot);

    const Language language = view.language;
    canvas.In(RegionId::Title);
    Label(canvas, ScreenText(language, TitleId(view.dvbType)), spectrum::kTitleAt);
    canvas.In(RegionId::ReadoutPanel);
    Label(canvas, ScreenText(language, TextId::Start), {1010, 80});
    Label(canvas, ScreenText(language, TextId::End), {1010, 200});
    Label(canvas, ScreenText(language, TextId::Current), {1010, 320});
    Label(canvas, ScreenText(language, TextId::Level), {1010, 440});
    canvas.In(RegionId::KeyHelp);
    Label(canvas, ScreenText(language, TextId::More), {1060, 655});

    canvas.In(RegionId::ReadoutPanel);
    ValueText(canvas, "%d MHz", entry.startMHz(), {1020, 140});
    ValueText(canvas, "%d MHz", entry.endMHz(), {1020, 260});
    ValueText(canvas, "%d MHz", entry.currentMHz(), {1020, 380});
    ValueText(canvas, "%d dBuV", static_cast<unsigned>(entry.currentLevel()), {1020, 500});
}

// Numbers step 114 pixels while the grid lines step 116: each box sits 20 - 2k above its line.
void DrawScale(Canvas& canvas, int referenceLevel) {
    constexpr TextFormat kRightTop{Align::Far, Align::Near};
    canvas.In(RegionId::LevelScale);
    for (int k = 0; k <= 5; ++k) {
        const IntRect box{20, 630 - 114 * k, 70, 30};
        canvas.DrawText(Widened(FormatPrintf("%d", referenceLevel + 5 * k)), kFontScale,
                        ToRectF(box), kRightTop, kBlack);
    }
    canvas.In(RegionId::Plot);
    for (int y = 186; y <= kPlotBottom; y += 116) {
        canvas.FillRect(kGridGrey, {kPlotLeft, y, kPlotWidth, 2});
    }
    canvas.In(RegionId::LevelScale);
    for (int i = 0; i <= kScaleSpanDb; ++i) {
        const int y = kPlotTop + 2 + 23 * i;
        if (i % 5 == 0) {
            canvas.FillRect(kGridGrey, {90, y, 10, 2});
        } else {
            canvas.FillRect(kGridGrey, {94, y, 6, 2});
        }
    }
}

std::optional<std::string> DrawCursor(Canvas& canvas, const SpectrumEntry& entry,
                                      const SpectrumView& view) {
    const int sampleCount = SampleCount(entry.startMHz(), entry.endMHz(), SampleStep(view.dvbType));
    if (sampleCount < 1) return std::nullopt;
    const std::int64_t index = ReadoutIndex(view.cursorX, ColumnWidth(sampleCount));
    if (index < 0) return std::nullopt;
    // Past the levels the entry holds there is nothing to read: the tip shows nothing.
    if (index >= kMaxSamples) return std::string();
    canvas.In(RegionId::Plot);
    canvas.FillRect(kCursorOrange, {view.cursorX - 1, kPlotTop, kCursorWidth, kPlotHeight});
    // Past the sweep's last sample nothing was measured, whatever the entry holds there.
    if (index >= sampleCount) return std::string();
    return FormatReadout(entry, index, SampleStep(view.dvbType));
}

}  // namespace

std::optional<std::string> DrawSpectrum(Canvas& canvas, const SpectrumEntry& entry,
                                        const SpectrumView& view) {
    canvas.DeclareRegions(kRegions);
    DrawFrame(canvas, entry, view);
    DrawScale(canvas, view.referenceLevel);

    // A sweep without a sample to plot has neither trace nor cursor.
    const int sampleCount = SampleCount(entry.startMHz(), entry.endMHz(), SampleStep(view.dvbType));
    if (sampleCount >= 1) {
        canvas.In(RegionId::Plot);
        canvas.FillPolygon(kGreen, BuildTrace(entry, sampleCount, view.referenceLevel).Vertices());
    }
    canvas.MarkCursor();
    return DrawCursor(canvas, entry, view);
}

void MoveSpectrumCursor(DisplayList& list, const SpectrumEntry& entry, const SpectrumView& view) {
    list.ops.resize(std::min(list.cursorFrom, list.ops.size()));
    Canvas canvas(list);
    list.cursorTipText = DrawCursor(canvas, entry, view);
}

}  // namespace quorvel
