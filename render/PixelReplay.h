// A recorded pass replayed into the 32-bit screen pixels: no Qt, the same pixels wherever it runs.
#pragma once

#include "render/DisplayList.h"
#include "render/PixelRegion.h"
#include "render/ScreenPixels.h"

namespace quorvel {

// Writes the list's operations in order inside `area` (and inside the target), and no pixel
// elsewhere. Operations whose bounds miss the area cost nothing, so a pass over a thin strip is
// cheap. Each operation leaves out the pixels a later large opaque fill covers: those end up as
// that fill whatever was under it, so a screen that lays a background and then large opaque
// areas writes each pixel once. Fills are aliased at whole pixels; colours with alpha below 0xFF
// and texts blend over what is there, rounded as QPainter rounds.
void ReplayPixels(const DisplayList& list, const PixelRegion& area, const pixels::Target& target);

}  // namespace quorvel
