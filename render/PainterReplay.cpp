#include "render/PainterReplay.h"

#include <QColor>
#include <QGlyphRun>
#include <QImage>
#include <QPaintEngine>
#include <QPolygon>
#include <QRawFont>
#include <algorithm>
#include <variant>

#include "render/FontTable.h"


namespace quorvel {
namespace {

QColor ColourOf(Argb colour) {
    return QColor::fromRgba(colour);
}

QRectF ToQRectF(RectF r) {
    return QRectF(r.x, r.y, r.w, r.h);
}

QString GlyphCharacters(const TextShape& text) {
    QString shown;
    shown.reserve(static_cast<qsizetype>(text.rendered->laidOut.glyphs.size()));
    for (const LaidOutGlyph& glyph : text.rendered->laidOut.glyphs) {
        shown.append(QChar(text.Text()[static_cast<std::size_t>(glyph.textIndex)]));
    }
    return shown;
}

// The screen shows a character its font table lacks as the table's substitute, spaced as that.
// A document shows and can be searched for the character itself, so such a text is laid out by
// the document's font, word by word from the screen's positions.
bool HoldsOnlyTableCharacters(const std::u16string& text) {
    const FontTable& table = ScreenFontTable();
    return std::ranges::all_of(text, [&table](char16_t c) { return table.Holds(c); });
}

// Each glyph on the whole pixel the screen image puts it on, so a document rasterised at the
// screen's size has every glyph where the bitmap has it.
void DrawGlyphs(QPainter& painter, const TextShape& text) {
    const LaidOutText& laidOut = text.rendered->laidOut;
    if (laidOut.glyphs.empty()) return;
    const QRawFont font = QRawFont::fromFont(painter.font());
    QList<QPointF> positions;
    positions.reserve(static_cast<qsizetype>(laidOut.glyphs.size()));
    for (const LaidOutGlyph& glyph : laidOut.glyphs) {
        positions.append(QPointF(text.origin.x + glyph.x, text.origin.y + glyph.y));
    }
    QGlyphRun run;
    run.setRawFont(font);
    run.setGlyphIndexes(font.glyphIndexesForString(GlyphCharacters(text)));
    run.setPositions(positions);
    painter.drawGlyphRun(QPointF(0, 0), run);
}

bool IsSpace(char16_t c) {
    return QChar(c).isSpace();
}

// The SVG engine writes a glyph run as outlines without its characters, so there each word is a
// text of its own, starting on the bitmap's pixel; the viewer spaces the letters within it. That
// engine keeps no clip either: a line whose baseline lies outside `box` is left out, as the
// bitmap shows at most a sliver of it.
void DrawWords(QPainter& painter, const TextShape& text, const QRectF& box) {
    const LaidOutText& laidOut = text.rendered->laidOut;
    const QString string =
        QString::fromUtf16(text.Text().data(), static_cast<qsizetype>(text.Text().size()));
    for (const LaidOutLine& line : laidOut.lines) {
        if (line.glyphCount == 0) continue;
        const auto first = laidOut.glyphs.begin() + static_cast<std::ptrdiff_t>(line.firstGlyph);
        const auto last = first + static_cast<std::ptrdiff_t>(line.glyphCount);
        const int baseline = text.origin.y + first->y;
        if (baseline < box.top() || baseline > box.bottom()) continue;
        const int end = line.start + line.length;
        for (int start = line.start; start < end;) {
            if (IsSpace(text.Text()[static_cast<std::size_t>(start)])) {
                ++start;
                continue;
            }
            int stop = start;
            while (stop < end && !IsSpace(text.Text()[static_cast<std::size_t>(stop)])) ++stop;
            const auto glyph = std::find_if(first, last, [start](const LaidOutGlyph& g) {
                return g.textIndex >= start;
            });
            if (glyph != last && glyph->textIndex < stop) {
                painter.drawText(QPointF(text.origin.x + glyph->x, baseline),
                                 string.mid(start, stop - start));
            }
            start = stop;
        }
    }
}

class PainterReplayer {
  public:
    PainterReplayer(QPainter& painter, const PixelRegion& area, const QFont& face)
        : m_painter(painter), m_area(area), m_face(face) {}

    void Draw(const DrawOp& op) {
        std::visit([&](const auto& shape) { Draw(shape, op); }, op.shape);
    }

  private:
    // Cut here rather than by a clip: not every vector format keeps clips.
    void Draw(const FillShape&, const DrawOp& op) {
        for (const IntRect& part : m_area.Rects()) {
            const IntRect piece = Cut(part, op.bounds);
            if (!IsEmpty(piece)) {
                m_painter.fillRect(QRect(piece.x, piece.y, piece.w, piece.h), ColourOf(op.colour));
            }
        }
    }

    void Draw(const PolygonShape& polygon, const DrawOp& op) {
        QPolygon points;
        points.reserve(static_cast<qsizetype>(polygon.points.size()));
        for (const IntPoint& point : polygon.points) points.append(QPoint(point.x, point.y));
        m_painter.setPen(Qt::NoPen);
        m_painter.setBrush(ColourOf(op.colour));
        m_painter.drawPolygon(points, Qt::OddEvenFill);
    }

    void Draw(const TextShape& text, const DrawOp& op) {
        m_painter.save();
        const QRectF box = text.box ? ToQRectF(*text.box) : QRectF(0, 0, kScreenWidth, kScreenHeight);
        if (text.box) m_painter.setClipRect(box, Qt::IntersectClip);
        m_painter.setPen(ColourOf(op.colour));
        m_painter.setFont(ScreenQFont(m_face, text.pixelSize));
        if (m_painter.paintEngine()->type() == QPaintEngine::SVG ||
            !HoldsOnlyTableCharacters(text.Text())) {
            DrawWords(m_painter, text, box);
        } else {
            DrawGlyphs(m_painter, text);
        }
        m_painter.restore();
    }

    void Draw(const IconShape& icon, const DrawOp&) {
        const pixels::PixelImage& image = *icon.image;
        const QImage picture(reinterpret_cast<const uchar*>(image.pixels.data()), image.width,
                             image.height, image.width * 4, QImage::Format_RGB32);
        m_painter.drawImage(QPoint(icon.at.x, icon.at.y), picture);
    }

    QPainter& m_painter;
    const PixelRegion& m_area;
    const QFont& m_face;
};

}  // namespace

void ReplayOnPainter(QPainter& painter, const DisplayList& list, const PixelRegion& area,
                     const QFont& face) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    // Icons are small pixel art: a document keeps them exact rather than as JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering, true);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    PainterReplayer replayer(painter, area, face);
    for (const DrawOp& op : list.ops) {
        if (area.Intersects(op.bounds)) replayer.Draw(op);
    }
}

}  // namespace quorvel
