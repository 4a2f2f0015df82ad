#include "render/ScreenRequest.h"

namespace quorvel {

std::unique_ptr<Catalogue> CatalogueFor(const SourceRecord& record, DvbType dvbType) {
    // The rebuild may stamp the magic into the record; the caller's copy stays as loaded.
    SourceRecord working = record;
    auto catalogue = std::make_unique<Catalogue>();
    RebuildCatalogue(working, dvbType, *catalogue);
    return catalogue;
}

ScreenState StateFor(const Catalogue& catalogue, const ScreenRequest& request) {
    ScreenState state;
    state.dvbType = request.dvbType;
    state.language = request.language;
    state.referenceLevel = request.referenceLevel;
    state.cursorX = request.cursorX;
    SelectAfterRebuild(state, catalogue);
    state.category = request.screen;
    const int line = static_cast<int>(request.position);
    switch (request.screen) {
        case Category::Measure:
            state.measureSelection = line;
            break;
        case Category::Spectrum:
            state.spectrumSelection = line;
            break;
        case Category::Constellation:
            state.constellationSelection = line;
            break;
        case Category::None:
            break;
    }
    return state;
}

std::vector<ScreenPass> PassesFor(const Catalogue& catalogue, const ScreenRequest& request) {
    std::vector<ScreenPass> passes{{StateFor(catalogue, request)}};
    if (request.more) {
        ScreenState more = passes.front().state;
        more.showMore = true;
        passes.push_back({more, constellation::kMoreBand});
    }
    return passes;
}

}  // namespace quorvel
