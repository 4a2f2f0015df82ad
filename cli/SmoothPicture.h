// `render --smooth`: pictures drawn at their enlarged size for print rather than enlarged after.
#pragma once

#include <iosfwd>

#include "cli/ScreenRender.h"

namespace quorvel::cli {

// Adds the print font to Qt's fonts; false, with why on `err` (the font file named), when it
// cannot be drawn with. Called on the main thread before any smooth picture is drawn.
bool SmoothFontReady(std::ostream& err);

// The request's passes drawn by PrintRaster at `scale`: `scale` times the screen's size.
RenderedScreen RenderSmoothScreen(const Catalogue& catalogue, const ScreenRequest& request,
                                  int scale);

// How many times the picture writer repeats each pixel of a picture at `scale`: a smooth one is
// drawn at its scale already.
inline int PixelRepeats(int scale, bool smooth) {
    return smooth ? 1 : scale;
}

}  // namespace quorvel::cli
