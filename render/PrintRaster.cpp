#include "render/PrintRaster.h"

#include <QPainter>

#include "render/PrintFont.h"
#include "render/ScreenLayout.h"
#include "render/VectorScreen.h"

namespace quorvel {
namespace {

// Left to fontconfig, hinting and subpixel smoothing follow each machine's settings (the
// installed defaults hint Liberation Sans lightly, fontconfig's own defaults fully), and with
// them the glyphs' shapes and advances. Unhinted outlines with plain grey smoothing are the same
// everywhere.
QFont PrintFace(const QString& family) {
    QFont face(family);
    face.setHintingPreference(QFont::PreferNoHinting);
    face.setStyleStrategy(QFont::NoSubpixelAntialias);
    return face;
}

}  // namespace

PrintPicture PrintRaster(std::span<const ScreenPass> passes, const Catalogue& catalogue,
                         int scale) {
    const LoadedFont& font = PrintFont();
    if (font.family.isEmpty()) return {};
    PrintPicture picture;
    picture.image = QImage(kScreenWidth * scale, kScreenHeight * scale, QImage::Format_RGB32);
    // A new image holds whatever its memory held: a pixel no pass reaches must not show it.
    picture.image.fill(Qt::black);
    QPainter painter(&picture.image);
    painter.scale(scale, scale);
    picture.missingIcons = PaintPasses(painter, passes, catalogue, PrintFace(font.family));
    painter.end();
    return picture;
}

}  // namespace quorvel
