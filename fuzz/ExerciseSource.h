// The robustness path: arbitrary bytes opened as a source data file and every screen drawn.
#pragma once

#include <cstdint>
#include <span>

#include "data/SourceFile.h"

namespace quorvel {

struct ExerciseReport {
    LoadOutcome outcome = LoadOutcome::CannotOpen;
    int listedEntries = 0;      // names listed, summed over the three broadcast families
    int passes = 0;             // paint passes run
    int repaintMismatches = 0;  // partial repaints whose pixels differ from a full repaint
};

// Writes `bytes` to a temporary file and opens it as File > Open does, then for each broadcast
// family rebuilds the catalogue and paints every listed entry of every screen family in both
// languages into one screen image: Measure, the Constellation diagram and its More band, and the
// Spectrum at reference levels 0, 40 and 75, then with the cursor moved from column 101 to 550 and
// 999 by strip repaints. Partial repaints are compared with a full repaint of the same state.
// Needs a QGuiApplication, since the screens draw text.
ExerciseReport ExerciseSource(std::span<const std::uint8_t> bytes);

}  // namespace quorvel
