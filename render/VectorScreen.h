// Screens as vector documents: an SVG picture, or a PDF page of the screen's size or of paper.
#pragma once

#include <QByteArray>
#include <QPainter>
#include <QRectF>
#include <span>
#include <vector>

#include "data/Catalogue.h"
#include "render/PainterText.h"
#include "render/ScreenPass.h"

namespace quorvel {

// Paints the passes in order onto `painter` (screen pixels as coordinates), each left out where
// a later pass repaints: the picture the window shows after them, without words hidden under a
// later pass, with texts in the family and rendering settings of `face`. Returns the ids of the
// icons that could not be loaded.
std::vector<int> PaintPasses(QPainter& painter, std::span<const ScreenPass> passes,
                             const Catalogue& catalogue,
                             const QFont& face = QFont(QString::fromLatin1(kScreenFamily)));

enum class PaperSize { Screen, A4, Letter };

struct VectorPicture {
    QByteArray bytes;  // empty when the document could not be made
    std::vector<int> missingIcons;
};

// One picture of the screen's size, texts as <text>, icons embedded.
VectorPicture ScreenSvg(std::span<const ScreenPass> passes, const Catalogue& catalogue);

// One page: the screen's size at 96 dots per inch, or landscape paper with the screen scaled to
// fit inside its margins and centred.
VectorPicture ScreenPdf(std::span<const ScreenPass> passes, const Catalogue& catalogue,
                        PaperSize paper);

// Where a picture of `size` goes inside `room`: as large as fits without changing its shape,
// and centred.
QRectF FitCentred(QSizeF size, const QRectF& room);

}  // namespace quorvel
