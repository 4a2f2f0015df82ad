#include "render/ImageCanvas.h"

#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <cmath>

#include "render/PolygonScan.h"
#include "render/ScreenPixels.h"

namespace quorvel {
namespace {

// Texts are NUL-terminated for the screens; nothing after the first NUL is drawn.
std::u16string_view UpToNul(std::u16string_view text) {
    return text.substr(0, std::min(text.size(), text.find(u'\0')));
}

int WholePixels(ScreenFont font) {
    return static_cast<int>(std::lround(font.pixelSize));
}

// The pixels whose centres lie inside the rectangle.
QRect PixelsOf(QRectF rect) {
    const QPoint topLeft(qRound(rect.left()), qRound(rect.top()));
    const QPoint pastBottomRight(qRound(rect.right()), qRound(rect.bottom()));
    return QRect(topLeft, pastBottomRight - QPoint(1, 1));
}

QImage& InRgb32(QImage& image) {
    if (image.format() != QImage::Format_RGB32) image.convertTo(QImage::Format_RGB32);
    return image;
}

}  // namespace

ImageCanvas::ImageCanvas(QImage& screen, const QRegion& area, const IconSource& icons,
                         TextLayoutCache& texts)
    : m_screen(InRgb32(screen)),
      m_pixels(m_screen),
      m_area(area.intersected(screen.rect())),
      m_bounds(m_area.boundingRect()),
      m_icons(icons),
      m_texts(texts) {}

bool ImageCanvas::NeedsArea(IntRect rect) const {
    return Touches(QRect(rect.x, rect.y, rect.w, rect.h));
}

bool ImageCanvas::Touches(const QRect& rect) const {
    return rect.isValid() && m_area.intersects(rect);
}

template <typename Draw>
void ImageCanvas::ForEachPiece(const QRect& rect, Draw draw) {
    if (!rect.isValid() || !m_bounds.intersects(rect)) return;
    for (const QRect& part : m_area) {
        const int left = std::max(part.left(), rect.left());
        const int top = std::max(part.top(), rect.top());
        const int right = std::min(part.right(), rect.right());
        const int bottom = std::min(part.bottom(), rect.bottom());
        if (left <= right && top <= bottom) draw(QRect(QPoint(left, top), QPoint(right, bottom)));
    }
}

void ImageCanvas::FillRect(Argb colour, IntRect rect) {
    const pixels::SolidFill fill(colour);
    ForEachPiece(QRect(rect.x, rect.y, rect.w, rect.h),
                 [&](const QRect& piece) { pixels::Fill(m_pixels, piece, fill); });
}

ImageCanvas::~ImageCanvas() {
    if (m_painter.isActive()) m_painter.end();
}

// Opaque pictures (the icons) are plain copies. Texts blend, which QPainter does with vector
// instructions; it is started only when a pass draws its first text.
void ImageCanvas::Blit(const QImage& image, QPoint at, const QRect& limit) {
    const bool opaque = image.format() == QImage::Format_RGB32;
    if (!opaque && !m_painter.isActive()) {
        if (!m_painter.begin(&m_screen)) return;
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    ForEachPiece(QRect(at, image.size()) & limit, [&](const QRect& piece) {
        if (opaque) {
            pixels::Copy(m_pixels, piece, image, at);
        } else {
            m_painter.drawImage(piece.topLeft(), image, piece.translated(-at));
        }
    });
}

// Each rectangle of the area is scanned on its own: only the edges that reach it cost anything.
void ImageCanvas::FillPolygon(Argb colour, std::span<const IntPoint> points) {
    const pixels::SolidFill fill(colour);
    for (const QRect& part : m_area) {
        ScanEvenOdd(points, {part.x(), part.y(), part.width(), part.height()},
                    [&](int y, std::span<const PixelRun> runs) {
                        quint32* const row = m_pixels.Row(y);
                        for (const PixelRun& run : runs) {
                            fill.Apply(row + run.begin, run.end - run.begin);
                        }
                    });
    }
}

void ImageCanvas::DrawRendered(const RenderedText& text, QPointF layoutTopLeft,
                               const QRect& limit) {
    if (text.image.isNull()) return;
    const QPoint at = QPoint(qRound(layoutTopLeft.x()), qRound(layoutTopLeft.y())) + text.offset;
    Blit(text.image, at, limit);
}

void ImageCanvas::DrawText(std::u16string_view text, ScreenFont font, PointF at, Argb colour) {
    text = UpToNul(text);
    if (text.empty()) return;
    DrawRendered(m_texts.Line(text, WholePixels(font), colour), QPointF(at.x, at.y), m_bounds);
}

void ImageCanvas::DrawText(std::u16string_view text, ScreenFont font, RectF box, TextFormat format,
                           Argb colour) {
    text = UpToNul(text);
    const QRectF layoutBox(box.x, box.y, box.w, box.h);
    const QRect clip = PixelsOf(layoutBox);
    if (text.empty() || !Touches(clip)) return;
    const RenderedText& block =
        m_texts.Block(text, WholePixels(font), box.w, format.horizontal, colour);
    const qreal spare = layoutBox.height() - block.layout.height();
    const qreal top = format.vertical == Align::Near     ? layoutBox.top()
                      : format.vertical == Align::Center ? layoutBox.top() + spare / 2
                                                         : layoutBox.top() + spare;
    DrawRendered(block, QPointF(layoutBox.left(), top), clip);
}

void ImageCanvas::DrawImage(IconId icon, int x, int y) {
    // The look-up comes first: a missing icon is reported even when it lies outside the area.
    const ResourceImage resource = m_icons.Load(icon);
    if (resource.errorCode != 0) m_missingIcons.push_back(static_cast<int>(icon));
    if (!resource.image.isNull()) Blit(resource.image, QPoint(x, y), m_bounds);
}

}  // namespace quorvel
