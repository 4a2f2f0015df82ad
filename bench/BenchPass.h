// One pass as the window paints it: recorded into a display list, then replayed into the screen
// image inside the area it repaints.
#pragma once

#include <QImage>
#include <span>
#include <vector>

#include "render/Canvas.h"
#include "render/ScreenPainter.h"

namespace quorvel::bench {

inline const std::vector<IntRect> kWholeArea{kWholeScreen};

template <typename Draw>
void PaintPass(QImage& screen, std::span<const IntRect> area, Draw draw,
               TextLayoutCache& texts = SharedTextLayoutCache()) {
    DisplayList list;
    Canvas canvas(list, texts);
    draw(canvas);
    ReplayScreen(screen, area, list);
}

}  // namespace quorvel::bench
