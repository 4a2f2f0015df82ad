#include "render/PartlyCoveredCanvas.h"

#include <algorithm>

#include "render/Geometry.h"

namespace quorvel {
namespace {

IntRect Intersection(IntRect a, IntRect b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.w, b.x + b.w);
    const int bottom = std::min(a.y + a.h, b.y + b.h);
    return {left, top, right - left, bottom - top};
}

}  // namespace

void PartlyCoveredCanvas::FillRect(Argb colour, IntRect rect) {
    const IntRect shown = Intersection(rect, m_visible);
    if (!IsEmpty(shown)) m_inner.FillRect(colour, shown);
}

// Polygons cannot be cut as simply; they are few, so they pass whole.
void PartlyCoveredCanvas::FillPolygon(Argb colour, std::span<const IntPoint> points) {
    m_inner.FillPolygon(colour, points);
}

void PartlyCoveredCanvas::DrawText(std::u16string_view text, ScreenFont font, PointF at,
                                   Argb colour) {
    m_inner.DrawText(text, font, at, colour);
}

void PartlyCoveredCanvas::DrawText(std::u16string_view text, ScreenFont font, RectF box,
                                   TextFormat format, Argb colour) {
    m_inner.DrawText(text, font, box, format, colour);
}

void PartlyCoveredCanvas::DrawImage(IconId icon, int x, int y) {
    m_inner.DrawImage(icon, x, y);
}

bool PartlyCoveredCanvas::NeedsArea(IntRect rect) const {
    const IntRect shown = Intersection(rect, m_visible);
    return !IsEmpty(shown) && m_inner.NeedsArea(shown);
}

}  // namespace quorvel
