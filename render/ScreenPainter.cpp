#include "render/ScreenPainter.h"

#include "render/ImageCanvas.h"
#include "render/PaintDispatch.h"

namespace quorvel {

QImage NewScreenImage() {
    QImage screen(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
    screen.fill(palette::kBlack);
    return screen;
}

PaintResult PaintScreen(QImage& screen, const QRegion& area, const ScreenState& state,
                        const Catalogue& catalogue, std::vector<UnfitText>* unfit) {
    ImageCanvas canvas(screen, area);
    canvas.ReportUnfitTexts(unfit);
    DispatchResult dispatched = DispatchPaint(canvas, state, catalogue);
    canvas.Finish();
    return {std::move(dispatched.cursorTipText), canvas.MissingIcons()};
}

}  // namespace quorvel
