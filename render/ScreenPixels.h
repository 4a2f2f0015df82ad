// Pixel writes into the 32-bit screen image, rounded exactly as QPainter's raster engine rounds.
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
    void Apply(quint32* row, int count) const;

  private:
    quint32 m_premultiplied;
    quint32 m_keep;  // 255 - alpha: how much of what lies beneath shows through
};

// Both functions take a Format_RGB32 target and write only inside `piece`, which must lie
// inside the target.
void Fill(QImage& target, const QRect& piece, const SolidFill& fill);

// The part of `source` that lands on `piece` when its top-left corner is at `at`: an opaque
// copy for Format_RGB32, source-over for Format_ARGB32_Premultiplied; other formats are
// converted first. `piece` must also lie inside the source's footprint.
void Draw(QImage& target, const QRect& piece, const QImage& source, QPoint at);

}  // namespace quorvel::pixels
