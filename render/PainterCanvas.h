// The Canvas that paints through a QPainter onto any paint device, such as an SVG or PDF page.
#pragma once

#include <QPainter>
#include <QRegion>
#include <vector>

#include "render/Canvas.h"
#include "render/IconStore.h"
#include "render/PainterText.h"

namespace quorvel {

// Fills stay whole-pixel rectangles and polygons drawn without anti-aliasing, texts stay text in
// the screen font laid out as the image canvas lays them out, and icons are embedded pictures,
// so a vector document shows the same screen with words that can be searched. The painter must
// be active, with screen pixels as its coordinates. Operations whose bounds miss `area` are left
// out and rectangle fills are cut to it, so a pass repaints what the window would repaint.
// Texts are laid out and drawn in the family and rendering settings of `face`, at their own sizes.
class PainterCanvas final : public Canvas {
  public:
    PainterCanvas(QPainter& painter, const QRegion& area, const IconSource& icons = EmbeddedIcons(),
                  const QFont& face = QFont(QString::fromLatin1(kScreenFamily)));

    void FillRect(Argb colour, IntRect rect) override;
    void FillPolygon(Argb colour, std::span<const IntPoint> points) override;
    void DrawText(std::u16string_view text, ScreenFont font, PointF at, Argb colour) override;
    void DrawText(std::u16string_view text, ScreenFont font, RectF box, TextFormat format,
                  Argb colour) override;
    void DrawImage(IconId icon, int x, int y) override;
    bool NeedsArea(IntRect rect) const override;

    // Ids of the icons the pass asked for and could not find, one per request, in order.
    const std::vector<int>& MissingIcons() const { return m_missingIcons; }

  private:
    QPainter& m_painter;
    QRegion m_area;
    const IconSource& m_icons;
    QFont m_face;
    std::vector<int> m_missingIcons;
};

}  // namespace quorvel
