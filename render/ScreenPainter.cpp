#include "render/ScreenPainter.h"

#include "render/ScreenLayout.h"

namespace quorvel {

QImage NewScreenImage() {
    QImage screen(kScreenWidth, kScreenHeight, QImage::Format_RGB32);
    screen.fill(palette::kBlack);
    return screen;
}

pixels::Target PixelsOf(QImage& screen) {
    if (screen.format() != QImage::Format_RGB32) screen.convertTo(QImage::Format_RGB32);
    return pixels::Target(reinterpret_cast<std::uint32_t*>(screen.bits()),
                          screen.bytesPerLine() / 4, screen.width(), screen.height());
}

PaintResult ReplayScreen(QImage& screen, std::span<const IntRect> area, const DisplayList& list) {
    return ReplayInto(PixelsOf(screen), area, list);
}

PaintResult PaintScreen(QImage& screen, std::span<const IntRect> area, const ScreenState& state,
                        const Catalogue& catalogue, std::vector<UnfitText>* unfit) {
    return PaintInto(PixelsOf(screen), area, state, catalogue, unfit);
}

}  // namespace quorvel
