#include "render/ImageCanvas.h"

#include <QRgba64>
#include <algorithm>
#include <cmath>

#include "render/PolygonScan.h"

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

// x * a / 255 on each 8-bit channel, rounded as QPainter's 32-bit blending rounds it.
quint32 ByteMul(quint32 x, quint32 a) {
    quint32 redBlue = (x & 0xff00ff) * a;
    redBlue = ((redBlue + ((redBlue >> 8) & 0xff00ff) + 0x800080) >> 8) & 0xff00ff;
    quint32 alphaGreen = ((x >> 8) & 0xff00ff) * a;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xff00ff) + 0x800080) & 0xff00ff00;
    return alphaGreen | redBlue;
}

}  // namespace

// QPainter premultiplies a solid colour at 16 bits a channel before it blends at 8 bits; doing
// the same keeps direct fills pixel-equal to its fills.
ImageCanvas::SolidFill::SolidFill(Argb colour)
    : premultiplied(qPremultiply(QRgba64::fromArgb32(colour)).toArgb32()),
      keep(255 - qAlpha(colour)) {}

void ImageCanvas::SolidFill::Apply(quint32* row, int count) const {
    if (keep == 0) {
        std::fill_n(row, count, premultiplied);
    } else if (keep != 255) {
        for (int i = 0; i < count; ++i) row[i] = premultiplied + ByteMul(row[i], keep);
    }
}

ImageCanvas::ImageCanvas(QImage& screen, const QRegion& area, const IconSource& icons,
                         TextLayoutCache& texts)
    : m_area(area.intersected(screen.rect())), m_icons(icons), m_texts(texts) {
    if (screen.format() != QImage::Format_RGB32) screen.convertTo(QImage::Format_RGB32);
    if (m_area.isEmpty() || !m_painter.begin(&screen)) {
        m_area = QRegion();
        return;
    }
    m_pixels = screen.bits();
    m_bytesPerLine = screen.bytesPerLine();
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setRenderHint(QPainter::TextAntialiasing, true);
    m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    m_painter.setPen(Qt::NoPen);
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

// Rectangles are cut to the area by hand: QPainter under a clip of several rectangles walks
// every line of what it fills, which made a two-strip repaint cost a fifth of a full pass.
template <typename Draw>
void ImageCanvas::ForEachPiece(const QRect& rect, Draw draw) {
    if (!rect.isValid()) return;  // QRect's intersection would turn a negative size around
    for (const QRect& part : m_area) {
        const QRect piece = part & rect;
        if (!piece.isEmpty()) draw(piece);
    }
}

void ImageCanvas::FillRect(Argb colour, IntRect rect) {
    const QColor fill = QColor::fromRgba(colour);
    ForEachPiece(QRect(rect.x, rect.y, rect.w, rect.h),
                 [&](const QRect& piece) { m_painter.fillRect(piece, fill); });
}

void ImageCanvas::Blit(const QImage& image, QPoint at, const QRect& limit) {
    ForEachPiece(QRect(at, image.size()) & limit, [&](const QRect& piece) {
        m_painter.drawImage(piece.topLeft(), image, piece.translated(-at));
    });
}

void ImageCanvas::FillPolygon(Argb colour, std::span<const IntPoint> points) {
    const QRect limit = m_area.boundingRect();
    if (limit.isEmpty()) return;
    const SolidFill fill(colour);
    ScanEvenOdd(points, {limit.x(), limit.y(), limit.width(), limit.height()},
                [&](int y, std::span<const PixelRun> runs) {
                    for (const QRect& part : m_area) {
                        if (y < part.top() || y > part.bottom()) continue;
                        for (const PixelRun& run : runs) {
                            const int left = std::max(run.left, part.left());
                            const int right = std::min(run.right, part.right() + 1);
                            if (left < right) fill.Apply(Row(y) + left, right - left);
                        }
                    }
                });
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
    DrawRendered(m_texts.Line(text, WholePixels(font), colour), QPointF(at.x, at.y),
                 m_area.boundingRect());
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
    if (!resource.image.isNull()) Blit(resource.image, QPoint(x, y), m_area.boundingRect());
}

}  // namespace quorvel
