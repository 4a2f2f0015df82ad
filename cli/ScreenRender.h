// The one way the tool turns a screen request into pixels; the single render command and the
// batch both go through it, and it goes through the window's paint path.
#pragma once

#include <QImage>
#include <vector>

#include "data/Catalogue.h"
#include "render/ScreenRequest.h"
#include "render/TextFit.h"

namespace quorvel::cli {

struct RenderedScreen {
    QImage image;
    std::vector<int> missingIcons;
};

// Paints the request's passes, exactly as the window does.
RenderedScreen RenderScreen(const Catalogue& catalogue, const ScreenRequest& request);
// The same into `screen`, whatever it held before, reusing its pixel memory when it is a
// screen image already: a thread that draws many screens keeps one. Returns the icons that
// could not be loaded. With `unfit`, the rectangle texts that do not fit their boxes are added.
std::vector<int> RenderScreenInto(QImage& screen, const Catalogue& catalogue,
                                  const ScreenRequest& request,
                                  std::vector<UnfitText>* unfit = nullptr);

}  // namespace quorvel::cli
