#include "render/ScreenPixels.h"

#include <QRgba64>
#include <algorithm>
#include <cstring>

namespace quorvel::pixels {
namespace {

// x * a / 255 on each 8-bit channel, rounded as QPainter's 32-bit blending rounds it.
quint32 ByteMul(quint32 x, quint32 a) {
    quint32 redBlue = (x & 0xff00ff) * a;
    redBlue = ((redBlue + ((redBlue >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    quint32 alphaGreen = ((x >> 8) & 0xff00ff) * a;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return alphaGreen | redBlue;
}

quint32* RowOf(QImage& image, int y) {
    return reinterpret_cast<quint32*>(image.scanLine(y));
}

const quint32* RowOf(const QImage& image, int y) {
    return reinterpret_cast<const quint32*>(image.constScanLine(y));
}

}  // namespace

// QPainter premultiplies a solid colour at 16 bits a channel before it blends at 8 bits.
SolidFill::SolidFill(Argb colour)
    : m_premultiplied(qPremultiply(QRgba64::fromArgb32(colour)).toArgb32()),
      m_keep(255 - qAlpha(colour)) {}

void SolidFill::Apply(quint32* row, int count) const {
    if (m_keep == 0) {
        std::fill_n(row, count, m_premultiplied);
    } else if (m_keep != 255) {
        for (int i = 0; i < count; ++i) row[i] = m_premultiplied + ByteMul(row[i], m_keep);
    }
}

void Fill(QImage& target, const QRect& piece, const SolidFill& fill) {
    for (int y = piece.top(); y <= piece.bottom(); ++y) {
        fill.Apply(RowOf(target, y) + piece.left(), piece.width());
    }
}

void Draw(QImage& target, const QRect& piece, const QImage& source, QPoint at) {
    if (source.format() != QImage::Format_RGB32 &&
        source.format() != QImage::Format_ARGB32_Premultiplied) {
        Draw(target, piece, source.convertToFormat(QImage::Format_ARGB32_Premultiplied), at);
        return;
    }
    const bool opaque = source.format() == QImage::Format_RGB32;
    const int width = piece.width();
    for (int y = piece.top(); y <= piece.bottom(); ++y) {
        quint32* out = RowOf(target, y) + piece.left();
        const quint32* in = RowOf(source, y - at.y()) + (piece.left() - at.x());
        if (opaque) {
            std::memcpy(out, in, static_cast<std::size_t>(width) * sizeof(quint32));
            continue;
        }
        for (int x = 0; x < width; ++x) {
            const quint32 s = in[x];
            if (s >= 0xff000000) {
                out[x] = s;
            } else if (s != 0) {
                out[x] = s + ByteMul(out[x], qAlpha(~s));
            }
        }
    }
}

}  // namespace quorvel::pixels
