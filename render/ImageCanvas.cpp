#include "render/ImageCanvas.h"

#include <QPointF>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <variant>

#include "render/Geometry.h"
#include "render/PolygonScan.h"
#include "render/ScreenPixels.h"

namespace quorvel {
namespace {

// The pixels whose centres lie inside the rectangle.
QRect PixelsOf(QRectF rect) {
    const QPoint topLeft(qRound(rect.left()), qRound(rect.top()));
    const QPoint pastBottomRight(qRound(rect.right()), qRound(rect.bottom()));
    return QRect(topLeft, pastBottomRight - QPoint(1, 1));
}

// An opaque fill at least this large hides what earlier operations drew under it. Smaller ones
// (constellation points) would only make the visible regions ragged for a few pixels' saving.
constexpr int kMinCoveringPixels = 1024;

// The pixels two rectangles share, empty when they share none. Inline, unlike QRect's `&`: a
// constellation pass cuts a thousand point fills.
QRect Cut(const QRect& a, const QRect& b) {
    return QRect(QPoint(std::max(a.left(), b.left()), std::max(a.top(), b.top())),
                 QPoint(std::min(a.right(), b.right()), std::min(a.bottom(), b.bottom())));
}

QImage& InRgb32(QImage& image) {
    if (image.format() != QImage::Format_RGB32) image.convertTo(QImage::Format_RGB32);
    return image;
}

// A polygon's rows written as the scan hands them over. A stretch of like rows is written a run
// at a time down the rows: across a thin strip, a trace's rows are alike for hundreds of rows.
class PolygonWriter final : public RowSink {
  public:
    PolygonWriter(const pixels::Target& target, Argb colour) : m_target(target), m_fill(colour) {}

    void Rows(int y, int count, std::span<const PixelRun> runs) override {
        quint32* const row = m_target.Row(y);
        if (count == 1) {
            for (const PixelRun& run : runs) m_fill.Apply(row + run.begin, run.end - run.begin);
            return;
        }
        for (const PixelRun& run : runs) {
            m_fill.ApplyRows(row + run.begin, m_target.Stride(), run.end - run.begin, count);
        }
    }

  private:
    const pixels::Target& m_target;
    pixels::SolidFill m_fill;
};

}  // namespace

ImageCanvas::ImageCanvas(QImage& screen, const QRegion& area, const IconSource& icons,
                         TextLayoutCache& texts)
    : m_screen(InRgb32(screen)),
      m_pixels(m_screen),
      m_area(area.intersected(screen.rect())),
      m_bounds(m_area.boundingRect()),
      m_icons(icons),
      m_texts(texts) {
    // A constellation pass records about a thousand point fills; growing there costs more.
    m_operations.reserve(1024);
}

ImageCanvas::~ImageCanvas() {
    Finish();
}

bool ImageCanvas::NeedsArea(IntRect rect) const {
    return Touches(QRect(rect.x, rect.y, rect.w, rect.h));
}

bool ImageCanvas::Touches(const QRect& rect) const {
    return rect.isValid() && m_area.intersects(rect);
}

void ImageCanvas::Record(Operation operation) {
    if (!m_finished) m_operations.push_back(std::move(operation));
}

void ImageCanvas::FillRect(Argb colour, IntRect rect) {
    // Qt would turn a rectangle of negative size around before cutting it.
    if (IsEmpty(rect)) return;
    const QRect pixels = Cut(QRect(rect.x, rect.y, rect.w, rect.h), m_bounds);
    if (!pixels.isEmpty()) Record(FillOp{pixels, colour});
}

void ImageCanvas::FillPolygon(Argb colour, std::span<const IntPoint> points) {
    if (points.size() < 3) return;
    const auto [minX, maxX] = std::minmax_element(points.begin(), points.end(),
                                                  [](IntPoint a, IntPoint b) { return a.x < b.x; });
    const auto [minY, maxY] = std::minmax_element(points.begin(), points.end(),
                                                  [](IntPoint a, IntPoint b) { return a.y < b.y; });
    // A filled pixel's centre lies strictly between the extreme coordinates; in 64 bits, as
    // they may be anywhere in int's range.
    const auto clamp = [](std::int64_t v) {
        return static_cast<int>(std::clamp<std::int64_t>(v, -1, kScreenWidth + kScreenHeight));
    };
    const QRect reach(QPoint(clamp(minX->x), clamp(minY->y)),
                      QPoint(clamp(std::int64_t{maxX->x} - 1), clamp(std::int64_t{maxY->y} - 1)));
    const QRect bounds = Cut(reach, m_bounds);
    if (!bounds.isEmpty()) {
        Record(PolygonOp{std::vector<IntPoint>(points.begin(), points.end()), bounds, colour});
    }
}

void ImageCanvas::DrawRendered(const RenderedText& text, QPointF layoutTopLeft,
                               const QRect& limit) {
    if (text.image.isNull()) return;
    const QPoint at = QPoint(qRound(layoutTopLeft.x()), qRound(layoutTopLeft.y())) + text.offset;
    const QRect pixels = Cut(Cut(QRect(at, text.image.size()), limit), m_bounds);
    if (!pixels.isEmpty()) Record(BlitOp{text.image, at, pixels});
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
    if (m_unfit != nullptr) {
        const QPoint layoutAt(qRound(layoutBox.left()), qRound(top));
        if (auto unfit = CheckFit(text, block, box, layoutAt, clip)) {
            m_unfit->push_back(std::move(*unfit));
        }
    }
}

void ImageCanvas::DrawImage(IconId icon, int x, int y) {
    // The look-up comes first: a missing icon is reported even when it lies outside the area.
    const ResourceImage resource = m_icons.Load(icon);
    if (resource.errorCode != 0) m_missingIcons.push_back({static_cast<int>(icon), resource.errorCode});
    if (resource.image.isNull()) return;
    const QRect pixels = Cut(QRect(QPoint(x, y), resource.image.size()), m_bounds);
    if (!pixels.isEmpty()) Record(BlitOp{resource.image, QPoint(x, y), pixels});
}

void ImageCanvas::Finish() {
    if (m_finished) return;
    m_finished = true;
    // visibleFrom[k]: the area less the k-th and every later covering fill.
    std::vector<std::size_t> covering;
    for (std::size_t i = 0; i < m_operations.size(); ++i) {
        const auto* fill = std::get_if<FillOp>(&m_operations[i]);
        if (fill != nullptr && qAlpha(fill->colour) == 255 &&
            fill->pixels.width() * fill->pixels.height() >= kMinCoveringPixels) {
            covering.push_back(i);
        }
    }
    std::vector<Visible> visibleFrom(covering.size() + 1);
    visibleFrom.back() = {m_area, m_bounds, m_area.rectCount() == 1};
    for (std::size_t k = covering.size(); k-- > 0;) {
        const QRegion region = visibleFrom[k + 1].region.subtracted(
            std::get<FillOp>(m_operations[covering[k]]).pixels);
        visibleFrom[k] = {region, region.boundingRect(), region.rectCount() == 1};
    }
    std::size_t coversPassed = 0;
    for (std::size_t i = 0; i < m_operations.size(); ++i) {
        if (coversPassed < covering.size() && covering[coversPassed] == i) ++coversPassed;
        const Visible& visible = visibleFrom[coversPassed];
        if (visible.region.isEmpty()) continue;
        std::visit([&](const auto& operation) { Replay(operation, visible); }, m_operations[i]);
    }
    m_operations.clear();
    if (m_painter.isActive()) m_painter.end();
}

template <typename Draw>
void ImageCanvas::ForEachPiece(const Visible& visible, const QRect& rect, Draw draw) {
    if (visible.single) {
        const QRect piece = Cut(visible.bounds, rect);
        if (!piece.isEmpty()) draw(piece);
        return;
    }
    if (!rect.isValid() || !visible.bounds.intersects(rect)) return;
    for (const QRect& part : visible.region) {
        const QRect piece = Cut(part, rect);
        if (!piece.isEmpty()) draw(piece);
    }
}

void ImageCanvas::Replay(const FillOp& fill, const Visible& visible) {
    const pixels::SolidFill solid(fill.colour);
    ForEachPiece(visible, fill.pixels,
                 [&](const QRect& piece) { pixels::Fill(m_pixels, piece, solid); });
}

// Each visible rectangle is scanned on its own: only the edges that reach it cost anything.
void ImageCanvas::Replay(const PolygonOp& polygon, const Visible& visible) {
    PolygonWriter writer(m_pixels, polygon.colour);
    ForEachPiece(visible, polygon.bounds, [&](const QRect& piece) {
        ScanEvenOdd(polygon.points, {piece.x(), piece.y(), piece.width(), piece.height()}, writer);
    });
}

// Opaque pictures (the icons) are plain copies. Texts blend, which QPainter does with vector
// instructions; it is started only when a pass draws its first text.
void ImageCanvas::Replay(const BlitOp& blit, const Visible& visible) {
    const bool opaque = blit.image.format() == QImage::Format_RGB32;
    if (!opaque && !m_painter.isActive()) {
        if (!m_painter.begin(&m_screen)) return;
        m_painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
    ForEachPiece(visible, blit.pixels, [&](const QRect& piece) {
        if (opaque) {
            pixels::Copy(m_pixels, piece, blit.image, blit.at);
        } else {
            m_painter.drawImage(piece.topLeft(), blit.image, piece.translated(-blit.at));
        }
    });
}

}  // namespace quorvel
