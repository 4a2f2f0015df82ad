// The navigation values a paint pass reads: which screen, which entry, which language and view.
#pragma once

#include <cstdint>

#include <optional>

#include "data/Catalogue.h"
#include "data/Types.h"

namespace quorvel {

struct ScreenState {
    Category category = Category::None;
    DvbType dvbType = DvbType::Satellite;
    Language language = Language::English;
    bool showMore = false;
    std::uint8_t referenceLevel = 40;  // dBuV on the spectrum plot's bottom line, 0..75 step 5
    int cursorX = 101;                 // middle column of the spectrum cursor

    // Selected line of each drop-down list; -1 when the list has no selection.
    int measureSelection = -1;
    int spectrumSelection = -1;
    int constellationSelection = -1;

    bool operator==(const ScreenState&) const = default;
};

// What a rebuild of the lists leaves: every non-empty list on its first line and the others
// without a selection, and the first family of Measure, Constellation and Spectrum that has names
// made current, which it returns. With every list empty the current family stays and nothing is
// returned.
std::optional<Category> SelectAfterRebuild(ScreenState& state, const Catalogue& catalogue);

}  // namespace quorvel
