// The Spectrum Analyzer screen: sweep trace, level scale and the cursor column with its readout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "data/SpectrumEntry.h"
#include "data/Types.h"
#include "render/Canvas.h"

namespace quorvel {

struct SpectrumView {
    Language language = Language::English;
    DvbType dvbType = DvbType::Satellite;
    std::uint8_t referenceLevel = 40;
    int cursorX = 101;
};

// Returns the cursor readout ("[ %dMHz : %ddBuV ]") when the pass produced one; the tooltip
// keeps its previous text otherwise.
// The cursor column comes last, after the canvas's cursor mark.
std::optional<std::string> DrawSpectrum(Canvas& canvas, const SpectrumEntry& entry,
                                        const SpectrumView& view);

// Replaces the cursor column of a list DrawSpectrum recorded, and its readout, with those of
// `view.cursorX`: all that a pointer move changes.
void MoveSpectrumCursor(DisplayList& list, const SpectrumEntry& entry, const SpectrumView& view);

}  // namespace quorvel
