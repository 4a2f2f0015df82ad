// Picks the screen for the current state and draws it, or fills the screen black.
#pragma once

#include <optional>
#include <string>

#include "data/Catalogue.h"
#include "render/Canvas.h"
#include "data/ScreenState.h"

namespace quorvel {

struct DispatchResult {
    std::optional<std::string> cursorTipText;  // set by a Spectrum pass with a readout
};

DispatchResult DispatchPaint(Canvas& canvas, const ScreenState& state, const Catalogue& catalogue);

void FillBlackScreen(Canvas& canvas);

}  // namespace quorvel
