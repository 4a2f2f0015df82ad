#include "render/RecordingCanvas.h"

#include "render/Geometry.h"

namespace quorvel {

void RecordingCanvas::FillRect(Argb colour, IntRect rect) { m_ops.push_back(FillRectOp{colour, rect}); }

void RecordingCanvas::FillPolygon(Argb colour, std::span<const IntPoint> points) {
    m_ops.push_back(FillPolygonOp{colour, {points.begin(), points.end()}});
}

void RecordingCanvas::DrawText(std::u16string_view text, ScreenFont font, PointF at, Argb colour) {
    m_ops.push_back(PointTextOp{std::u16string(text), font, at, colour});
}

void RecordingCanvas::DrawText(std::u16string_view text, ScreenFont font, RectF box,
                               TextFormat format, Argb colour) {
    m_ops.push_back(RectTextOp{std::u16string(text), font, box, format, colour});
}

void RecordingCanvas::DrawImage(IconId icon, int x, int y) { m_ops.push_back(ImageOp{icon, x, y}); }

bool RecordingCanvas::NeedsArea(IntRect rect) const { return Intersects(rect, m_area); }

}  // namespace quorvel
