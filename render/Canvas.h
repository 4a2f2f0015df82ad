// What every screen draws on: each call is laid out, given its bounds and recorded into a
// display list; nothing is drawn until a replay.
#pragma once

#include <span>
#include <string_view>

#include "render/DisplayList.h"
#include "render/DrawingTypes.h"
#include "render/Geometry.h"
#include "render/ScreenLayout.h"

namespace quorvel {

class Canvas {
  public:
    explicit Canvas(DisplayList& list, TextLayoutCache& texts = SharedTextLayoutCache(),
                    const IconSource& icons = EmbeddedIcons());

    // What is drawn from here on shows only inside `clip` (at first, the whole screen).
    void SetClip(IntRect clip) { m_clip = clip; }

    // The parts of the screen the pass draws, and where each lies, inside the clip.
    void DeclareRegions(std::span<const DeclaredRegion> regions);
    // Later operations belong to `id` (at first they belong to RegionId::Screen).
    void In(RegionId id) { m_region = id; }

    void FillRect(Argb colour, IntRect rect);
    // Closed polygon, even-odd rule, whole pixels.
    void FillPolygon(Argb colour, std::span<const IntPoint> points);
    // Point layout: the text's line box starts at `at`; no wrapping, no alignment.
    void DrawText(std::u16string_view text, ScreenFont font, PointF at, Argb colour);
    // Rectangle layout: aligned by `format`, wrapped at the box's width, clipped to the box.
    void DrawText(std::u16string_view text, ScreenFont font, RectF box, TextFormat format,
                  Argb colour);
    // The same for one of the screens' own words, which keeps its id for a fit report.
    void DrawText(Language language, TextId word, ScreenFont font, RectF box, TextFormat format,
                  Argb colour);
    // The icon at its own size with its top-left corner at (x, y).
    void DrawImage(IconId icon, int x, int y);

    // Room for `operations` more, asked for by a screen about to record many (a constellation's
    // point fills), so that the list grows once.
    void Reserve(std::size_t operations) { m_list.ops.reserve(m_list.ops.size() + operations); }

    // What is recorded from here on follows the pointer (the Spectrum cursor column).
    void MarkCursor() { m_list.cursorFrom = m_list.ops.size(); }

  private:
    // Takes the shape itself, not a whole operation: a constellation records a thousand point
    // fills a pass.
    template <typename Shape>
    void Record(Shape&& shape, Argb colour, IntRect bounds, IntRect clip);
    void DrawInBox(std::u16string_view text, std::optional<TextId> word, ScreenFont font, RectF box,
                   TextFormat format, Argb colour);

    DisplayList& m_list;
    TextLayoutCache& m_texts;
    const IconSource& m_icons;
    RegionId m_region = RegionId::Screen;
    IntRect m_clip = kWholeScreen;
};

}  // namespace quorvel
