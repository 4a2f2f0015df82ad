#include "render/PaintDispatch.h"

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

}  // namespace

DispatchResult DispatchPaint(Canvas& canvas, const ScreenState& state, const Catalogue& catalogue) {
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
            return {};
        case Category::Spectrum:
            if (catalogue.spectrum.Empty()) break;
            {
                const SpectrumView view{state.language, state.dvbType, state.referenceLevel,
                                        state.cursorX};
                return {DrawSpectrum(canvas,
                                     catalogue.Spectrum(DrawnPosition(state.spectrumSelection,
                                                                      catalogue.spectrum.Count())),
                                     view)};
            }
        case Category::Constellation:
            if (catalogue.constellation.Empty()) break;
            DrawConstellation(canvas,
                              catalogue.Constellation(DrawnPosition(
                                  state.constellationSelection, catalogue.constellation.Count())),
                              state.language, state.dvbType, state.showMore);
            return {};
        case Category::None:
            break;
    }
    FillBlackScreen(canvas);
    return {};
}

void FillBlackScreen(Canvas& canvas) {
    canvas.FillRect(palette::kBlack, kWholeScreen);
}

}  // namespace quorvel
