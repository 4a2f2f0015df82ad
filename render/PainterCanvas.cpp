#include "render/PainterCanvas.h"

#include <QColor>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPolygon>
#include <QTextLayout>
#include <algorithm>

#include "render/PainterText.h"
#include "render/TextLayout.h"

namespace quorvel {
namespace {

const QRectF kScreen(0, 0, kScreenWidth, kScreenHeight);

QColor ColourOf(Argb colour) {
    return QColor::fromRgba(colour);
}

QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Each glyph at the whole pixel the image canvas puts it on, so a document rasterised at the
// screen's size has every glyph where the bitmap has it.
void DrawGlyphs(QPainter& painter, const QTextLayout& layout, QPointF topLeft) {
    for (QGlyphRun run : layout.glyphRuns()) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions) {
            position = QPointF(qRound(position.x()), qRound(position.y()));
        }
        run.setPositions(positions);
        painter.drawGlyphRun(topLeft, run);
    }
}

// The SVG engine writes a glyph run as outlines without its characters, so there each word is a
// text of its own, starting on the bitmap's pixel; the viewer spaces the letters within it. That
// engine keeps no clip either: a line whose baseline lies outside `box` is left out, as the
// bitmap shows at most a sliver of it.
void DrawWords(QPainter& painter, const QTextLayout& layout, QPointF topLeft, const QRectF& box) {
    const QString text = layout.text();
    for (int l = 0; l < layout.lineCount(); ++l) {
        const QTextLine line = layout.lineAt(l);
        const qreal baseline = topLeft.y() + qRound(line.y() + line.ascent());
        if (baseline < box.top() || baseline > box.bottom()) continue;
        const int end = line.textStart() + line.textLength();
        for (int start = line.textStart(); start < end;) {
            if (text[start].isSpace()) {
                ++start;
                continue;
            }
            int stop = start;
            while (stop < end && !text[stop].isSpace()) ++stop;
            const qreal x = topLeft.x() + qRound(line.cursorToX(start));
            painter.drawText(QPointF(x, baseline), text.mid(start, stop - start));
            start = stop;
        }
    }
}

// `box` bounds what is drawn.
void DrawLaidOut(QPainter& painter, const QTextLayout& layout, QPointF topLeft, const QRectF& box) {
    painter.setFont(layout.font());
    if (painter.paintEngine()->type() == QPaintEngine::SVG) {
        DrawWords(painter, layout, topLeft, box);
    } else {
        DrawGlyphs(painter, layout, topLeft);
    }
}

}  // namespace

PainterCanvas::PainterCanvas(QPainter& painter, const QRegion& area, const IconSource& icons,
                             const QFont& face)
    : m_painter(painter), m_area(area.intersected(kScreen.toRect())), m_icons(icons), m_face(face) {
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    // Icons are small pixel art: a document keeps them exact rather than as JPEG.
    m_painter.setRenderHint(QPainter::LosslessImageRendering, true);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

bool PainterCanvas::NeedsArea(IntRect rect) const {
    const QRect bounds(rect.x, rect.y, rect.w, rect.h);
    return bounds.isValid() && m_area.intersects(bounds);
}

void PainterCanvas::FillRect(Argb colour, IntRect rect) {
    if (!NeedsArea(rect)) return;
    // Cut here rather than by a clip: not every vector format keeps clips.
    const QRegion pieces = m_area.intersected(QRect(rect.x, rect.y, rect.w, rect.h));
    for (const QRect& piece : pieces) m_painter.fillRect(piece, ColourOf(colour));
}

void PainterCanvas::FillPolygon(Argb colour, std::span<const IntPoint> points) {
    if (points.size() < 3) return;
    QPolygon polygon;
    polygon.reserve(static_cast<qsizetype>(points.size()));
    for (const IntPoint& point : points) polygon.append(QPoint(point.x, point.y));
    if (!m_area.intersects(polygon.boundingRect())) return;
    m_painter.setPen(Qt::NoPen);
    m_painter.setBrush(ColourOf(colour));
    m_painter.drawPolygon(polygon, Qt::OddEvenFill);
}

void PainterCanvas::DrawText(std::u16string_view text, ScreenFont font, PointF at, Argb colour) {
    text = UpToNul(text);
    if (text.empty()) return;
    QTextLayout layout(ToQString(text), ScreenQFont(m_face, WholePixels(font)));
    const QSizeF size = LayOutScreenText(layout, -1.0f, Align::Near);
    const QPointF topLeft(qRound(at.x), qRound(at.y));
    if (!m_area.intersects(QRectF(topLeft, size).toAlignedRect())) return;
    m_painter.setPen(ColourOf(colour));
    DrawLaidOut(m_painter, layout, topLeft, kScreen);
}

void PainterCanvas::DrawText(std::u16string_view text, ScreenFont font, RectF box,
                             TextFormat format, Argb colour) {
    text = UpToNul(text);
    const QRectF layoutBox(box.x, box.y, box.w, box.h);
    if (text.empty() || !m_area.intersects(layoutBox.toAlignedRect())) return;
    QTextLayout layout(ToQString(text), ScreenQFont(m_face, WholePixels(font)));
    const QSizeF size = LayOutScreenText(layout, std::max(box.w, 0.0f), format.horizontal);
    const qreal spare = layoutBox.height() - size.height();
    const qreal top = format.vertical == Align::Near     ? layoutBox.top()
                      : format.vertical == Align::Center ? layoutBox.top() + spare / 2
                                                         : layoutBox.top() + spare;
    m_painter.save();
    m_painter.setClipRect(layoutBox, Qt::IntersectClip);
    m_painter.setPen(ColourOf(colour));
    DrawLaidOut(m_painter, layout, QPointF(qRound(layoutBox.left()), qRound(top)), layoutBox);
    m_painter.restore();
}

void PainterCanvas::DrawImage(IconId icon, int x, int y) {
    const ResourceImage resource = m_icons.Load(icon);
    if (resource.errorCode != 0) m_missingIcons.push_back(static_cast<int>(icon));
    if (resource.image.isNull()) return;
    if (!m_area.intersects(QRect(QPoint(x, y), resource.image.size()))) return;
    m_painter.drawImage(QPoint(x, y), resource.image);
}

}  // namespace quorvel
