#include "render/ImageCanvas.h"

#include <QPolygon>
#include <algorithm>
#include <cmath>

namespace quorvel {
namespace {

// Texts are NUL-terminated for the screens; nothing after the first NUL is drawn.
std::u16string_view UpToNul(std::u16string_view text) {
    return text.substr(0, std::min(text.size(), text.find(u'\0')));
}

int WholePixels(ScreenFont font) {
    return static_cast<int>(std::lround(font.pixelSize));
}

QRect Enclosing(QRectF rect) {
    const int left = static_cast<int>(std::floor(rect.left()));
    const int top = static_cast<int>(std::floor(rect.top()));
    const int right = static_cast<int>(std::ceil(rect.right()));
    const int bottom = static_cast<int>(std::ceil(rect.bottom()));
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

}  // namespace

ImageCanvas::ImageCanvas(QImage& screen, const QRegion& area, const IconSource& icons,
                         TextLayoutCache& texts)
    : m_area(area.intersected(screen.rect())),
      m_clipsToArea(m_area != QRegion(screen.rect())),
      m_icons(icons),
      m_texts(texts) {
    if (m_area.isEmpty() || !m_painter.begin(&screen)) {
        m_area = QRegion();
        return;
    }
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setPen(Qt::NoPen);
    if (m_clipsToArea) m_painter.setClipRegion(m_area);
}

ImageCanvas::~ImageCanvas() {
    if (m_painter.isActive()) m_painter.end();
}

bool ImageCanvas::NeedsArea(IntRect rect) const {
    return Touches(QRect(rect.x, rect.y, rect.w, rect.h));
}

bool ImageCanvas::Touches(const QRect& rect) const {
    return rect.isValid() && m_area.intersects(rect);
}

void ImageCanvas::FillRect(Argb colour, IntRect rect) {
    const QRect area(rect.x, rect.y, rect.w, rect.h);
    if (!Touches(area)) return;
    m_painter.fillRect(area, QColor::fromRgba(colour));
}

void ImageCanvas::FillPolygon(Argb colour, std::span<const IntPoint> points) {
    if (points.size() < 3) return;
    QPolygon polygon(static_cast<qsizetype>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) {
        polygon.setPoint(static_cast<qsizetype>(i), points[i].x, points[i].y);
    }
    // The pixels a polygon fills lie within its vertices' bounds, edges included.
    if (!Touches(polygon.boundingRect().adjusted(-1, -1, 1, 1))) return;
    m_painter.setBrush(QColor::fromRgba(colour));
    m_painter.drawPolygon(polygon, Qt::OddEvenFill);
}

void ImageCanvas::DrawRendered(const RenderedText& text, QPointF layoutTopLeft) {
    if (text.image.isNull()) return;
    const QPoint at = QPoint(qRound(layoutTopLeft.x()), qRound(layoutTopLeft.y())) + text.offset;
    if (!Touches(QRect(at, text.image.size()))) return;
    m_painter.drawImage(at, text.image);
}

void ImageCanvas::DrawText(std::u16string_view text, ScreenFont font, PointF at, Argb colour) {
    text = UpToNul(text);
    if (text.empty()) return;
    DrawRendered(m_texts.Line(text, WholePixels(font), colour), QPointF(at.x, at.y));
}

void ImageCanvas::DrawText(std::u16string_view text, ScreenFont font, RectF box, TextFormat format,
                           Argb colour) {
    text = UpToNul(text);
    const QRectF layoutBox(box.x, box.y, box.w, box.h);
    if (text.empty() || !Touches(Enclosing(layoutBox))) return;
    const RenderedText& block =
        m_texts.Block(text, WholePixels(font), box.w, format.horizontal, colour);
    const qreal spare = layoutBox.height() - block.layout.height();
    const qreal top = format.vertical == Align::Near     ? layoutBox.top()
                      : format.vertical == Align::Center ? layoutBox.top() + spare / 2
                                                         : layoutBox.top() + spare;
    m_painter.setClipRect(layoutBox, Qt::IntersectClip);
    DrawRendered(block, QPointF(layoutBox.left(), top));
    if (m_clipsToArea) {
        m_painter.setClipRegion(m_area);
    } else {
        m_painter.setClipping(false);
    }
}

void ImageCanvas::DrawImage(IconId icon, int x, int y) {
    // The look-up comes first: a missing icon is reported even when it lies outside the area.
    const ResourceImage resource = m_icons.Load(icon);
    if (resource.errorCode != 0) m_missingIcons.push_back(static_cast<int>(icon));
    if (resource.image.isNull() || !Touches(QRect(QPoint(x, y), resource.image.size()))) return;
    m_painter.drawImage(QPoint(x, y), resource.image);
}

}  // namespace quorvel
