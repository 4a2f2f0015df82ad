#include "cli/ScreenRender.h"

#include <algorithm>

#include "render/ScreenLayout.h"
#include "render/ScreenPainter.h"

namespace quorvel::cli {

RenderedScreen RenderScreen(const Catalogue& catalogue, const ScreenRequest& request) {
    RenderedScreen rendered;
    rendered.missingIcons = RenderScreenInto(rendered.image, catalogue, request);
    return rendered;
}

std::vector<int> RenderScreenInto(QImage& screen, const Catalogue& catalogue,
                                  const ScreenRequest& request, std::vector<UnfitText>* unfit) {
    // A full pass of every screen paints every pixel, so an image from an earlier picture is
    // painted over as it stands: clearing it first would cost a pass over its memory.
    if (screen.width() != kScreenWidth || screen.height() != kScreenHeight || screen.format() != QImage::Format_RGB32 ||
        !screen.isDetached()) {
        screen = NewScreenImage();
    }
    std::vector<int> missingIcons;
    for (const ScreenPass& pass : PassesFor(catalogue, request)) {
        const PaintResult result = PaintScreen(screen, {&pass.area, 1}, pass.state, catalogue, unfit);
        for (const MissingIcon& icon : result.missingIcons) {
            if (std::ranges::find(missingIcons, icon.id) == missingIcons.end()) {
                missingIcons.push_back(icon.id);
            }
        }
    }
    return missingIcons;
}

}  // namespace quorvel::cli
