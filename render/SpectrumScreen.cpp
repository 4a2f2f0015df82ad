#include "render/SpectrumScreen.h"

#include <cmath>

#include "data/Formatting.h"
#include "data/ScreenText.h"
#include "render/ScreenParts.h"
#include "render/SpectrumTrace.h"

namespace quorvel {
namespace {

using namespace spectrum;
using namespace palette;

// A point-layout text has no box of its own: it runs right without limit and one line down.
// The margins cover glyphs that overhang their origin and the font's ascent plus descent.
IntRect PointTextBounds(PointF at, ScreenFont font) {
    const int overhang = static_cast<int>(std::ceil(font.pixelSize / 4));
    const int left = static_cast<int>(std::floor(at.x)) - overhang;
    const int top = static_cast<int>(std::floor(at.y));
    return {left, top, kScreenWidth - left, static_cast<int>(std::ceil(font.pixelSize * 1.25f))};
}

// Fills and texts first ask whether their area is being repainted: a pointer move repaints two
// thin strips, and formatting texts that would be clipped away is most of a pass's cost.
void Fill(Canvas& canvas, Argb colour, IntRect rect) {
    if (canvas.NeedsArea(rect)) canvas.FillRect(colour, rect);
}

void Label(Canvas& canvas, std::u16string_view text, PointF at) {
    if (canvas.NeedsArea(PointTextBounds(at, kFontNormal))) {
        canvas.DrawText(text, kFontNormal, at, kBlack);
    }
}

template <typename Value>
void ValueText(Canvas& canvas, const char* format, Value value, PointF at) {
    if (canvas.NeedsArea(PointTextBounds(at, kFontNormal))) {
        canvas.DrawText(Widened(FormatPrintf(format, value)), kFontNormal, at, kValueOrange);
    }
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
    Fill(canvas, kPanelGrey, kWholeScreen);
    // Icons always reach the canvas: it reports a missing one for every pass that asks for it.
    canvas.DrawImage(IconId::Battery, spectrum::kBatteryAt.x, spectrum::kBatteryAt.y);
    DrawLnbBadges(canvas, entry.lnbVoltage(), entry.tone22k(), kVoltageBadgeAt, kToneBadgeAt);
    canvas.DrawImage(IconId::KeyExit, kExitKeyAt.x, kExitKeyAt.y);
    Fill(canvas, kRuleBlue, spectrum::kTitleRule);
    Fill(canvas, kBlack, kPlot);

    const Language language = view.language;
    Label(canvas, ScreenText(language, TitleId(view.dvbType)), spectrum::kTitleAt);
    Label(canvas, ScreenText(language, TextId::Start), {1010, 80});
    Label(canvas, ScreenText(language, TextId::End), {1010, 200});
    Label(canvas, ScreenText(language, TextId::Current), {1010, 320});
    Label(canvas, ScreenText(language, TextId::Level), {1010, 440});
    Label(canvas, ScreenText(language, TextId::More), {1060, 655});

    ValueText(canvas, "%d MHz", entry.startMHz(), {1020, 140});
    ValueText(canvas, "%d MHz", entry.endMHz(), {1020, 260});
    ValueText(canvas, "%d MHz", entry.currentMHz(), {1020, 380});
    ValueText(canvas, "%d dBuV", static_cast<unsigned>(entry.currentLevel()), {1020, 500});
}

// Numbers step 114 pixels while the grid lines step 116: each box sits 20 - 2k above its line.
void DrawScale(Canvas& canvas, int referenceLevel) {
    constexpr TextFormat kRightTop{Align::Far, Align::Near};
    for (int k = 0; k <= 5; ++k) {
        const IntRect box{20, 630 - 114 * k, 70, 30};
        if (!canvas.NeedsArea(box)) continue;
        canvas.DrawText(Widened(FormatPrintf("%d", referenceLevel + 5 * k)), kFontScale,
                        ToRectF(box), kRightTop, kBlack);
    }
    for (int y = 186; y <= kPlotBottom; y += 116)
        Fill(canvas, kGridGrey, {kPlotLeft, y, kPlotWidth, 2});
    for (int i = 0; i <= kScaleSpanDb; ++i) {
        const int y = kPlotTop + 2 + 23 * i;
        if (i % 5 == 0) {
            Fill(canvas, kGridGrey, {90, y, 10, 2});
        } else {
            Fill(canvas, kGridGrey, {94, y, 6, 2});
        }
    }
}

}  // namespace

std::optional<std::string> DrawSpectrum(Canvas& canvas, const SpectrumEntry& entry,
                                        const SpectrumView& view) {
    DrawFrame(canvas, entry, view);
    DrawScale(canvas, view.referenceLevel);

    // A sweep without a sample to plot has neither trace nor cursor.
    const int sampleCount = SampleCount(entry.startMHz(), entry.endMHz(), SampleStep(view.dvbType));
    if (sampleCount < 1) return std::nullopt;

    const Trace trace = BuildTrace(entry, sampleCount, view.referenceLevel);
    if (canvas.NeedsArea(trace.bounds)) canvas.FillPolygon(kGreen, trace.Vertices());

    const std::int64_t index = ReadoutIndex(view.cursorX, ColumnWidth(sampleCount));
    if (index < 0) return std::nullopt;
    // Past the levels the entry holds there is nothing to read: the tip shows nothing.
    if (index >= kMaxSamples) return std::string();
    Fill(canvas, kCursorOrange, {view.cursorX - 1, kPlotTop, kCursorWidth, kPlotHeight});
    // Past the sweep's last sample nothing was measured, whatever the entry holds there.
    if (index >= sampleCount) return std::string();
    return FormatReadout(entry, index, SampleStep(view.dvbType));
}

}  // namespace quorvel
