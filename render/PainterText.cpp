#include "render/PainterText.h"


namespace quorvel {
QFont ScreenQFont(const QString& family, int pixelSize) {
    return ScreenQFont(QFont(family), pixelSize);
}

QFont ScreenQFont(QFont face, int pixelSize) {
    face.setPixelSize(pixelSize);
    face.setWeight(QFont::Normal);
    face.setStyle(QFont::StyleNormal);
    return face;
}

}  // namespace quorvel
