// The canvas the Constellation screen draws through beneath its More band.
#include <gtest/gtest.h>

#include <array>
#include <optional>

#include "render/PartlyCoveredCanvas.h"
#include "render/RecordingCanvas.h"

namespace quorvel {
namespace {

constexpr IntRect kTopRows{0, 0, 1280, 240};

struct FillCase {
    IntRect rect;
    std::optional<IntRect> forwarded;
};

TEST(PartlyCoveredCanvas, FillsAreCutToTheVisiblePart) {
    const FillCase cases[] = {
        {{0, 0, 1280, 720}, IntRect{0, 0, 1280, 240}},
        {{0, 90, 650, 630}, IntRect{0, 90, 650, 150}},
        {{5, 239, 2, 2}, IntRect{5, 239, 2, 1}},
        {{5, 240, 2, 2}, std::nullopt},
        {{-10, -10, 5, 5}, std::nullopt},
        {{-10, -10, 20, 20}, IntRect{0, 0, 10, 10}},
        {{1279, 100, 2091, 30}, IntRect{1279, 100, 1, 30}},
    };
    for (const auto& c : cases) {
        RecordingCanvas inner;
        PartlyCoveredCanvas canvas(inner, kTopRows);
        canvas.FillRect(0xFF112233, c.rect);
        if (!c.forwarded) {
            EXPECT_TRUE(inner.Ops().empty()) << c.rect.x << "," << c.rect.y;
            continue;
        }
        ASSERT_EQ(inner.Ops().size(), 1u);
        const auto& fill = std::get<FillRectOp>(inner.Ops()[0]);
        EXPECT_EQ(fill.rect, *c.forwarded) << c.rect.x << "," << c.rect.y;
        EXPECT_EQ(fill.colour, 0xFF112233u);
    }
}

TEST(PartlyCoveredCanvas, NeedsOnlyWhatIsVisibleAndRepainted) {
    RecordingCanvas inner(IntRect{0, 100, 1280, 620});
    PartlyCoveredCanvas canvas(inner, kTopRows);
    EXPECT_TRUE(canvas.NeedsArea({0, 150, 10, 200}));
    EXPECT_FALSE(canvas.NeedsArea({0, 240, 1280, 480}));  // covered
    EXPECT_FALSE(canvas.NeedsArea({0, 0, 1280, 100}));    // not being repainted
}

TEST(PartlyCoveredCanvas, TextsImagesAndPolygonsPassWhole) {
    RecordingCanvas inner;
    PartlyCoveredCanvas canvas(inner, kTopRows);
    const std::array<IntPoint, 3> triangle{{{0, 200}, {50, 300}, {100, 200}}};
    canvas.FillPolygon(0xFF000001, triangle);
    canvas.DrawText(u"C/N:", kFontNormal, PointF{680, 360}, 0xFF000002);
    canvas.DrawText(u"DVB-S2", kFontNormal, RectF{680, 200, 500, 60}, {}, 0xFF000003);
    canvas.DrawImage(IconId::KeyF1, 1000, 650);
    ASSERT_EQ(inner.Ops().size(), 4u);
    EXPECT_EQ(std::get<FillPolygonOp>(inner.Ops()[0]).points.size(), 3u);
    EXPECT_EQ(std::get<PointTextOp>(inner.Ops()[1]).at, (PointF{680, 360}));
    EXPECT_EQ(std::get<RectTextOp>(inner.Ops()[2]).box, (RectF{680, 200, 500, 60}));
    EXPECT_EQ(std::get<ImageOp>(inner.Ops()[3]).y, 650);
}

}  // namespace
}  // namespace quorvel
