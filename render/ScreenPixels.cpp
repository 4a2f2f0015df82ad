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

}  // namespace

// QPainter premultiplies a solid colour at 16 bits a channel before it blends at 8 bits.
SolidFill::SolidFill(Argb colour)
    : m_premultiplied(qAlpha(colour) == 255 ? colour
                                            : qPremultiply(QRgba64::fromArgb32(colour)).toArgb32()),
      m_keep(255 - qAlpha(colour)) {}

void SolidFill::FillLong(quint32* row, int count) const {
    // wchar_t is 32 bits here, and the C library's wmemset is the fastest 32-bit fill.
    static_assert(sizeof(wchar_t) == sizeof(quint32));
    std::wmemset(reinterpret_cast<wchar_t*>(row), static_cast<wchar_t>(m_premultiplied),
                 static_cast<std::size_t>(count));
}

// What lies beneath a fill repeats (the plot's black, the trace's green), so the last pixel's
// result is kept and the arithmetic runs only when the pixel beneath changes.
void SolidFill::Blend(quint32* row, qsizetype stride, int count, int rows) const {
    if (m_keep == 255 || count <= 0 || rows <= 0) return;
    const quint32 colour = m_premultiplied;
    const quint32 keep = m_keep;
    quint32 beneath = row[0];
    quint32 blended = colour + ByteMul(beneath, keep);
    for (int r = 0; r < rows; ++r, row += stride) {
        for (int i = 0; i < count; ++i) {
            if (row[i] != beneath) {
                beneath = row[i];
                blended = colour + ByteMul(beneath, keep);
            }
            row[i] = blended;
        }
    }
}

void SolidFill::ApplyRows(quint32* row, qsizetype stride, int count, int rows) const {
    const quint32 colour = m_premultiplied;
    if (m_keep != 0) {
        Blend(row, stride, count, rows);
    } else if (count > kShortRun) {
        for (int r = 0; r < rows; ++r, row += stride) FillLong(row, count);
    } else {
        for (int r = 0; r < rows; ++r, row += stride) {
            for (int i = 0; i < count; ++i) row[i] = colour;
        }
    }
}

void Fill(const Target& target, const QRect& piece, const SolidFill& fill) {
    fill.ApplyRows(target.Row(piece.top()) + piece.left(), target.Stride(), piece.width(),
                   piece.height());
}

void Copy(const Target& target, const QRect& piece, const QImage& source, QPoint at) {
    const auto bytes = static_cast<std::size_t>(piece.width()) * sizeof(quint32);
    for (int y = piece.top(); y <= piece.bottom(); ++y) {
        const auto* in = reinterpret_cast<const quint32*>(source.constScanLine(y - at.y()));
        std::memcpy(target.Row(y) + piece.left(), in + (piece.left() - at.x()), bytes);
    }
}

}  // namespace quorvel::pixels
