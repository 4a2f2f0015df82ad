// Fills and copies straight into the 32-bit screen image, rounded as QPainter rounds fills.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include "render/Canvas.h"

namespace quorvel::pixels {

// One colour laid over runs of pixels: copied when opaque, blended source-over otherwise.
class SolidFill {
  public:
    explicit SolidFill(Argb colour);
    // Inline: a spectrum trace lays tens of thousands of runs a few pixels long.
    void Apply(quint32* row, int count) const {
        // A local copy: the pixels are quint32 too, so the member would be read again per pixel.
        const quint32 colour = m_premultiplied;
        if (m_keep != 0) {
            Blend(row, 0, count, 1);
        } else if (count > kShortRun) {
            FillLong(row, count);
        } else {
            for (int i = 0; i < count; ++i) row[i] = colour;
        }
    }
    // `rows` runs of `count` pixels, each `stride` pixels after the one before: the strips a
    // pointer move repaints are hundreds of rows a few pixels wide.
    void ApplyRows(quint32* row, qsizetype stride, int count, int rows) const;

  private:
    static constexpr int kShortRun = 16;
    void FillLong(quint32* row, int count) const;
    void Blend(quint32* row, qsizetype stride, int count, int rows) const;

    quint32 m_premultiplied;
    quint32 m_keep;  // 255 - alpha: how much of what lies beneath shows through
};

// The rows of a Format_RGB32 image, found once: QImage::scanLine checks for sharing on every call.
// The image must not be shared, resized or converted while the target is in use.
class Target {
  public:
    explicit Target(QImage& image) : m_bits(image.bits()), m_stride(image.bytesPerLine()) {}
    quint32* Row(int y) const { return reinterpret_cast<quint32*>(m_bits + y * m_stride); }
    // Pixels from one row to the next.
    qsizetype Stride() const { return m_stride / qsizetype{sizeof(quint32)}; }

  private:
    uchar* m_bits;
    qsizetype m_stride;
};

// Both functions write only inside `piece`, which must lie inside the target.
void Fill(const Target& target, const QRect& piece, const SolidFill& fill);

// The part of the Format_RGB32 `source` that lands on `piece` when its top-left corner is at
// `at`; `piece` must also lie inside the source's footprint.
void Copy(const Target& target, const QRect& piece, const QImage& source, QPoint at);

}  // namespace quorvel::pixels
