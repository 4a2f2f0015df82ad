// A canvas for drawing beneath an opaque cover: fills are cut to the part that stays visible.
#pragma once

#include "render/Canvas.h"

namespace quorvel {

// Forwards every operation to `inner`, but fills only their part inside `visible`, and answers
// NeedsArea for that part alone. Texts and images pass whole, so whatever lies outside `visible`
// must be painted over opaquely afterwards; that is the caller's contract.
class PartlyCoveredCanvas final : public Canvas {
  public:
    PartlyCoveredCanvas(Canvas& inner, IntRect visible) : m_inner(inner), m_visible(visible) {}

    void FillRect(Argb colour, IntRect rect) override;
    void FillPolygon(Argb colour, std::span<const IntPoint> points) override;
    void DrawText(std::u16string_view text, ScreenFont font, PointF at, Argb colour) override;
    void DrawText(std::u16string_view text, ScreenFont font, RectF box, TextFormat format,
                  Argb colour) override;
    void DrawImage(IconId icon, int x, int y) override;
    bool NeedsArea(IntRect rect) const override;

  private:
    Canvas& m_inner;
    IntRect m_visible;
};

}  // namespace quorvel
