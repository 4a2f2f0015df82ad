// The Canvas that paints into the 1280 by 720 screen image, inside a repaint region.
#pragma once

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <cstdint>
#include <variant>
#include <vector>

#include "render/Canvas.h"
#include "render/IconStore.h"
#include "render/ScreenPixels.h"
#include "render/TextFit.h"
#include "render/TextLayout.h"
#include "render/TextLayoutCache.h"

namespace quorvel {

// One paint pass. Pixels outside `area` (and outside the screen) never change, and operations
// whose bounds miss `area` are dropped early, so a pass over a thin strip costs little. Fills are
// aliased at whole pixels; colours with alpha below 0xFF blend over what is there, rounded as
// QPainter rounds. The image must stay alive, and must not be painted otherwise, while the
// canvas lives; it is turned into Format_RGB32 (what NewScreenImage makes) if it is in another
// format.
// Operations are kept until Finish (or the destructor) writes them in order, each leaving out the
// pixels a later opaque rectangle fill of the pass covers: those end up as that fill whatever was
// under it, so screens that lay a background and then large opaque areas write each pixel once.
class ImageCanvas final : public Canvas {
  public:
    ImageCanvas(QImage& screen, const QRegion& area, const IconSource& icons = EmbeddedIcons(),
                TextLayoutCache& texts = SharedTextLayoutCache());
    ~ImageCanvas() override;
    ImageCanvas(const ImageCanvas&) = delete;
    ImageCanvas& operator=(const ImageCanvas&) = delete;

    void FillRect(Argb colour, IntRect rect) override;
    void FillPolygon(Argb colour, std::span<const IntPoint> points) override;
    void DrawText(std::u16string_view text, ScreenFont font, PointF at, Argb colour) override;
    void DrawText(std::u16string_view text, ScreenFont font, RectF box, TextFormat format,
                  Argb colour) override;
    void DrawImage(IconId icon, int x, int y) override;
    bool NeedsArea(IntRect rect) const override;

    // Writes the pass's operations into the image; the image holds the whole pass only after
    // this. Later calls, and drawing after it, do nothing.
    void Finish();

    // From now on, every rectangle text of the pass that does not fit its box is added to
    // `unfit` (null: none are measured). No pixel depends on it.
    void ReportUnfitTexts(std::vector<UnfitText>* unfit) { m_unfit = unfit; }

    // The icons the pass asked for and could not find, one per request, in order; the caller
    // reports them after the pass.
    const std::vector<MissingIcon>& MissingIcons() const { return m_missingIcons; }

  private:
    // Pixels already cut to the area's bounding rectangle.
    struct FillOp {
        QRect pixels;
        Argb colour;
    };
    struct PolygonOp {
        std::vector<IntPoint> points;
        QRect bounds;  // holds every pixel the polygon can fill, cut to the area's bounds
        Argb colour;
    };
    // The image's pixels inside `pixels`, its top-left corner at `at`.
    struct BlitOp {
        QImage image;
        QPoint at;
        QRect pixels;
    };
    using Operation = std::variant<FillOp, PolygonOp, BlitOp>;
    // The part of the area an operation may write.
    struct Visible {
        QRegion region;
        QRect bounds;
        bool single;  // the region is its bounds
    };

    bool Touches(const QRect& rect) const;
    void Record(Operation operation);
    void DrawRendered(const RenderedText& text, QPointF layoutTopLeft, const QRect& limit);
    void Replay(const FillOp& fill, const Visible& visible);
    void Replay(const PolygonOp& polygon, const Visible& visible);
    void Replay(const BlitOp& blit, const Visible& visible);
    // Calls `draw` with each non-empty part of `rect` inside one rectangle of `visible`.
    template <typename Draw>
    static void ForEachPiece(const Visible& visible, const QRect& rect, Draw draw);

    QImage& m_screen;
    pixels::Target m_pixels;
    QPainter m_painter;  // blends texts; fills and copies go straight into the pixels
    QRegion m_area;
    QRect m_bounds;  // of the area
    const IconSource& m_icons;
    TextLayoutCache& m_texts;
    std::vector<MissingIcon> m_missingIcons;
    std::vector<Operation> m_operations;
    std::vector<UnfitText>* m_unfit = nullptr;
    bool m_finished = false;
};

}  // namespace quorvel
