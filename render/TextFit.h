// Which rectangle texts do not fit their box, measured from the layout the canvas draws.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/Geometry.h"
#include "render/DisplayList.h"
#include "render/PixelRegion.h"
#include "render/TextLayoutCache.h"

namespace quorvel {

// A text drawn in a rectangle with a line cut off by the box or a word broken to fit its width.
struct UnfitText {
    std::u16string text;
    RectF box;
    std::u16string shown;  // the lines that show whole, joined as they read
};

// `layoutAt` is the pixel where the block's layout box starts, `clip` the pixels the box lets
// through. Nothing when every line shows whole and no word had to be broken.
std::optional<UnfitText> CheckFit(std::u16string_view text, const RenderedText& block,
                                  RectF box, IntPoint layoutAt, IntRect clip);

// Adds the list's rectangle texts whose boxes the area repaints and that do not fit them.
void AddUnfitTexts(const DisplayList& list, const PixelRegion& area,
                   std::vector<UnfitText>& unfit);

}  // namespace quorvel
