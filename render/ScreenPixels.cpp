#include "render/ScreenPixels.h"

#include <QRgba64>
#include <algorithm>
#include <cstring>
#include <cwchar>

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

// Rows are found from one pointer per call: QImage::scanLine checks for sharing on every call.
class Rows {
  public:
    explicit Rows(QImage& image) : m_bits(image.bits()), m_stride(image.bytesPerLine()) {}
    quint32* operator[](int y) const { return reinterpret_cast<quint32*>(m_bits + y * m_stride); }

  private:
    uchar* m_bits;
    qsizetype m_stride;
};

class ConstRows {
  public:
    explicit ConstRows(const QImage& image)
        : m_bits(image.constBits()), m_stride(image.bytesPerLine()) {}
    const quint32* operator[](int y) const {
        return reinterpret_cast<const quint32*>(m_bits + y * m_stride);
    }

  private:
    const uchar* m_bits;
    qsizetype m_stride;
};

}  // namespace

// QPainter premultiplies a solid colour at 16 bits a channel before it blends at 8 bits.
SolidFill::SolidFill(Argb colour)
    : m_premultiplied(qPremultiply(QRgba64::fromArgb32(colour)).toArgb32()),
      m_keep(255 - qAlpha(colour)) {}

void SolidFill::FillLong(quint32* row, int count) const {
    // wchar_t is 32 bits here, and the C library's wmemset is the fastest 32-bit fill.
    static_assert(sizeof(wchar_t) == sizeof(quint32));
    std::wmemset(reinterpret_cast<wchar_t*>(row), static_cast<wchar_t>(m_premultiplied),
                 static_cast<std::size_t>(count));
}

void SolidFill::Blend(quint32* row, int count) const {
    if (m_keep == 255) return;
    for (int i = 0; i < count; ++i) row[i] = m_premultiplied + ByteMul(row[i], m_keep);
}

void Fill(QImage& target, const QRect& piece, const SolidFill& fill) {
    const Rows rows(target);
    for (int y = piece.top(); y <= piece.bottom(); ++y)
        fill.Apply(rows[y] + piece.left(), piece.width());
}

void Copy(QImage& target, const QRect& piece, const QImage& source, QPoint at) {
    const Rows outRows(target);
    const ConstRows inRows(source);
    const auto bytes = static_cast<std::size_t>(piece.width()) * sizeof(quint32);
    for (int y = piece.top(); y <= piece.bottom(); ++y) {
        std::memcpy(outRows[y] + piece.left(), inRows[y - at.y()] + (piece.left() - at.x()), bytes);
    }
}

}  // namespace quorvel::pixels
