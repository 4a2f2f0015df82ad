#include "render/Canvas.h"

#include <algorithm>
#include <cstdint>
#include <type_traits>

#include "render/TextLayout.h"

namespace quorvel {
namespace {

// The pixels whose centres lie inside the box.
IntRect PixelsOf(RectF box) {
    const int left = RoundToPixel(box.x);
    const int top = RoundToPixel(box.y);
    return {left, top, RoundToPixel(double{box.x} + box.w) - left,
            RoundToPixel(double{box.y} + box.h) - top};
}

// Every pixel a polygon can fill has its centre strictly between the extreme coordinates; in 64
// bits, as they may be anywhere in int's range.
IntRect PolygonReach(std::span<const IntPoint> points) {
    const auto [minX, maxX] = std::minmax_element(points.begin(), points.end(),
                                                  [](IntPoint a, IntPoint b) { return a.x < b.x; });
    const auto [minY, maxY] = std::minmax_element(points.begin(), points.end(),
                                                  [](IntPoint a, IntPoint b) { return a.y < b.y; });
    const auto clamp = [](std::int64_t v) {
        return static_cast<int>(std::clamp<std::int64_t>(v, -1, kScreenWidth + kScreenHeight));
    };
    const int left = clamp(minX->x);
    const int top = clamp(minY->y);
    return {left, top, clamp(maxX->x) - left, clamp(maxY->y) - top};
}

IntRect InkOf(const RenderedText& rendered, IntPoint origin) {
    return {origin.x + rendered.offset.x, origin.y + rendered.offset.y, rendered.image.width,
            rendered.image.height};
}

constexpr std::size_t kTypicalOperations = 128;

}  // namespace

Canvas::Canvas(DisplayList& list, TextLayoutCache& texts, const IconSource& icons)
    : m_list(list), m_texts(texts), m_icons(icons) {
    // A screen records a few dozen operations; one that draws many more says so (Reserve).
    m_list.ops.reserve(kTypicalOperations);
}

void Canvas::DeclareRegions(std::span<const DeclaredRegion> regions) {
    for (const DeclaredRegion& region : regions) {
        const IntRect shown = Cut(region.rect, m_clip);
        if (!IsEmpty(shown)) m_list.regions.push_back({region.id, shown});
    }
}

// A text that shows nothing in its box is still recorded (see DrawText); anything else that
// shows nothing is not.
template <typename Shape>
void Canvas::Record(Shape&& shape, Argb colour, IntRect bounds, IntRect clip) {
    constexpr bool kText = std::is_same_v<std::remove_cvref_t<Shape>, TextShape>;
    clip = Cut(clip, m_clip);
    bounds = IsEmpty(bounds) ? IntRect{} : Cut(bounds, clip);
    if (IsEmpty(bounds)) {
        if constexpr (kText) {
            if (!shape.box || IsEmpty(clip)) return;
        } else {
            return;
        }
        bounds = {};
    }
#if defined(__cpp_aggregate_paren_init)
    // Built where it stays, without a move through a temporary.
    m_list.ops.emplace_back(std::forward<Shape>(shape), colour, bounds, clip, m_region);
#else
    m_list.ops.push_back(DrawOp{std::forward<Shape>(shape), colour, bounds, clip, m_region});
#endif
}

void Canvas::FillRect(Argb colour, IntRect rect) {
    const IntRect bounds = Cut(rect, kWholeScreen);
    if (IsEmpty(rect) || IsEmpty(bounds)) return;
    Record(FillShape{rect}, colour, bounds, kWholeScreen);
}

void Canvas::FillPolygon(Argb colour, std::span<const IntPoint> points) {
    if (points.size() < 3) return;
    const IntRect bounds = Cut(PolygonReach(points), kWholeScreen);
    if (IsEmpty(bounds)) return;
    Record(PolygonShape{{points.begin(), points.end()}}, colour, bounds, kWholeScreen);
}

void Canvas::DrawText(std::u16string_view text, ScreenFont font, PointF at, Argb colour) {
    text = UpToNul(text);
    if (text.empty()) return;
    const int size = WholePixels(font);
    TextLayoutCache::Entry rendered = m_texts.Line(text, size, colour);
    const IntPoint origin{RoundToPixel(at.x), RoundToPixel(at.y)};
    const IntRect bounds = Cut(InkOf(*rendered, origin), kWholeScreen);
    if (IsEmpty(bounds)) return;
    Record(TextShape{size, origin, std::nullopt, std::move(rendered), std::nullopt}, colour, bounds,
           kWholeScreen);
}

void Canvas::DrawText(std::u16string_view text, ScreenFont font, RectF box, TextFormat format,
                      Argb colour) {
    DrawInBox(text, std::nullopt, font, box, format, colour);
}

void Canvas::DrawText(Language language, TextId word, ScreenFont font, RectF box, TextFormat format,
                      Argb colour) {
    DrawInBox(ScreenText(language, word), word, font, box, format, colour);
}

// Recorded even when no ink shows in the box: a text pushed out of its box is one that does not
// fit, which a fit check must still see.
void Canvas::DrawInBox(std::u16string_view text, std::optional<TextId> word, ScreenFont font,
                       RectF box, TextFormat format, Argb colour) {
    text = UpToNul(text);
    const IntRect clip = PixelsOf(box);
    if (text.empty() || IsEmpty(Cut(clip, kWholeScreen))) return;
    const int size = WholePixels(font);
    TextLayoutCache::Entry rendered = m_texts.Block(text, size, box.w, format.horizontal, colour);
    const double spare = double{box.h} - rendered->layoutHeight;
    const double top = format.vertical == Align::Near     ? box.y
                       : format.vertical == Align::Center ? box.y + spare / 2
                                                          : box.y + spare;
    const IntPoint origin{RoundToPixel(box.x), RoundToPixel(top)};
    const IntRect bounds = Cut(Cut(InkOf(*rendered, origin), clip), kWholeScreen);
    Record(TextShape{size, origin, box, std::move(rendered), word}, colour,
           IsEmpty(bounds) ? IntRect{} : bounds, clip);
}

// The look-up comes first: a missing icon is reported even when it lies off the screen.
void Canvas::DrawImage(IconId icon, int x, int y) {
    const ResourceImage resource = m_icons.Load(icon);
    if (resource.errorCode != 0 &&
        std::none_of(m_list.missingIcons.begin(), m_list.missingIcons.end(),
                     [icon](const MissingIcon& noted) { return noted.id == static_cast<int>(icon); })) {
        m_list.missingIcons.push_back({static_cast<int>(icon), resource.errorCode});
    }
    if (resource.image == nullptr) return;
    const IntRect bounds =
        Cut({x, y, resource.image->width, resource.image->height}, kWholeScreen);
    if (IsEmpty(bounds)) return;
    Record(IconShape{icon, {x, y}, resource.image}, 0, bounds, kWholeScreen);
}

}  // namespace quorvel
