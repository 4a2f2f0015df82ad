#include "data/ScreenState.h"

namespace quorvel {

std::optional<Category> SelectAfterRebuild(ScreenState& state, const Catalogue& catalogue) {
    state.measureSelection = catalogue.measure.Empty() ? -1 : 0;
    state.spectrumSelection = catalogue.spectrum.Empty() ? -1 : 0;
    state.constellationSelection = catalogue.constellation.Empty() ? -1 : 0;
    const std::optional<Category> preferred = PreferredCategory(catalogue);
    if (preferred) state.category = *preferred;
    return preferred;
}

}  // namespace quorvel
