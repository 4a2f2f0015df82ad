// Which rectangle texts do not fit their box, measured from the layout the canvas draws.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "data/ScreenText.h"
#include "render/DisplayList.h"
#include "render/Geometry.h"
#include "render/PixelRegion.h"

namespace quorvel {

// A text drawn in a rectangle with a line cut off by the box or a word broken to fit its width.
struct UnfitText {
    std::u16string text;
    RectF box;
    std::u16string shown;        // the lines that show whole, joined as they read
    std::optional<TextId> word{};  // set when the text is one of the screens' own words
    int pixelSize = 0;
    double neededWidth = 0;  // the text on one line, unwrapped, in screen pixels
};

// `clip` is the pixels the text's box lets through. Nothing when every line shows whole and no
// word had to be broken; the text must have a box.
std::optional<UnfitText> CheckFit(const TextShape& text, IntRect clip);

// Adds the list's rectangle texts whose boxes the area repaints and that do not fit them.
void AddUnfitTexts(const DisplayList& list, const PixelRegion& area, std::vector<UnfitText>& unfit);

}  // namespace quorvel
