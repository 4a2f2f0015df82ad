#include "cli/ScreenRender.h"

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
    return PaintRequestInto(PixelsOf(screen), catalogue, request, unfit);
}

}  // namespace quorvel::cli
