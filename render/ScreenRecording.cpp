#include "render/ScreenRecording.h"

#include "render/ConstellationScreen.h"
#include "render/MeasureScreen.h"
#include "render/SatelliteFindingScreen.h"
#include "render/SpectrumScreen.h"

namespace quorvel {
namespace {

// The list's selected line, or its first line when nothing (or nothing valid) is selected.
std::size_t DrawnPosition(int selection, std::size_t count) {
    if (selection < 0 || static_cast<std::size_t>(selection) >= count) return 0;
    return static_cast<std::size_t>(selection);
}

SpectrumEntry ShownSpectrum(const ScreenState& state, const Catalogue& catalogue) {
    return catalogue.Spectrum(DrawnPosition(state.spectrumSelection, catalogue.spectrum.Count()));
}

SpectrumView ViewOf(const ScreenState& state) {
    return {state.language, state.dvbType, state.referenceLevel, state.cursorX};
}

void Draw(Canvas& canvas, DisplayList& list, const ScreenState& state,
          const Catalogue& catalogue) {
    switch (state.category) {
        case Category::Measure:
            if (catalogue.measure.Empty()) break;
            {
                const MeasureEntry entry = catalogue.Measure(
                    DrawnPosition(state.measureSelection, catalogue.measure.Count()));
                if (state.dvbType == DvbType::Satellite) {
                    DrawSatelliteFinding(canvas, entry, state.language);
                } else {
                    DrawMeasure(canvas, entry, state.language, state.dvbType);
                }
            }
            return;
        case Category::Spectrum:
            if (catalogue.spectrum.Empty()) break;
            list.cursorTipText = DrawSpectrum(canvas, ShownSpectrum(state, catalogue), ViewOf(state));
            return;
        case Category::Constellation:
            if (catalogue.constellation.Empty()) break;
            DrawConstellation(canvas,
                              catalogue.Constellation(DrawnPosition(
                                  state.constellationSelection, catalogue.constellation.Count())),
                              state.language, state.dvbType, state.showMore);
            return;
        case Category::None:
            break;
    }
    canvas.FillRect(palette::kBlack, kWholeScreen);
}

bool OnlyCursorMoved(const ScreenState& before, const ScreenState& after) {
    ScreenState moved = before;
    moved.cursorX = after.cursorX;
    return moved == after && before.cursorX != after.cursorX;
}

}  // namespace

DisplayList RecordScreen(const ScreenState& state, const Catalogue& catalogue,
                         TextLayoutCache& texts, const IconSource& icons) {
    DisplayList list;
    Canvas canvas(list, texts, icons);
    Draw(canvas, list, state, catalogue);
    return list;
}

const DisplayList& ScreenRecorder::Record(const ScreenState& state, const Catalogue& catalogue) {
    if (m_state && m_catalogue == &catalogue && OnlyCursorMoved(*m_state, state) &&
        state.category == Category::Spectrum && m_list.cursorFrom <= m_list.ops.size()) {
        MoveSpectrumCursor(m_list, ShownSpectrum(state, catalogue), ViewOf(state));
    } else {
        m_list = RecordScreen(state, catalogue);
    }
    m_state = state;
    m_catalogue = &catalogue;
    return m_list;
}

}  // namespace quorvel
