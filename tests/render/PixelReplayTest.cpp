// Pixels a recorded pass replays into: fill edges, blending, polygons, icons, text boxes, clipping.
#include <gtest/gtest.h>

#include <QColor>
#include <QPainter>
#include <functional>
#include <vector>

#include "render/Canvas.h"
#include "render/PixelReplay.h"
#include "render/PolygonScan.h"
#include "render/ScreenPainter.h"

namespace quorvel {
namespace {

constexpr Argb kBlack = 0xFF000000;
constexpr Argb kWhite = 0xFFFFFFFF;
constexpr Argb kCursorOrange = 0x64FF8000;

using Area = std::vector<IntRect>;
const Area kWhole{kWholeScreen};

// The smallest rectangle holding every pixel that differs from black; null when there is none.
QRect InkBounds(const QImage& image) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != kBlack) bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

DisplayList Recorded(const std::function<void(Canvas&)>& draw,
                     const IconSource& icons = EmbeddedIcons()) {
    DisplayList list;
    Canvas canvas(list, SharedTextLayoutCache(), icons);
    draw(canvas);
    return list;
}

// `screen` after one pass of `draw` over `area`.
void DrawInto(QImage& screen, const std::function<void(Canvas&)>& draw, const Area& area = kWhole) {
    ReplayScreen(screen, area, Recorded(draw));
}

// A black screen after one pass of `draw` over `area`.
QImage Drawn(const std::function<void(Canvas&)>& draw, const Area& area = kWhole) {
    QImage screen = NewScreenImage();
    DrawInto(screen, draw, area);
    return screen;
}

TEST(PixelReplayFill, CoversExactlyTheIntegerRectangle) {
    struct Case {
        IntRect rect;
        QRect expected;  // empty: nothing filled
    };
    const Case cases[] = {
        {{10, 20, 5, 3}, QRect(10, 20, 5, 3)},
        {{0, 0, 1, 1}, QRect(0, 0, 1, 1)},
        {{-5, -7, 10, 10}, QRect(0, 0, 5, 3)},             // cut at the top-left edge
        {{1270, 715, 2193, 30}, QRect(1270, 715, 10, 5)},  // runs past the right and bottom
        {{10, 10, 0, 30}, QRect()},                        // zero width
        {{10, 10, 30, -2}, QRect()},                       // negative height
    };
    for (const Case& c : cases) {
        const QImage screen = Drawn([&](Canvas& canvas) { canvas.FillRect(kWhite, c.rect); });
        EXPECT_EQ(InkBounds(screen), c.expected) << c.rect.x << "," << c.rect.y;
        if (!c.expected.isEmpty()) {
            EXPECT_EQ(screen.pixel(c.expected.right(), c.expected.bottom()), kWhite);
        }
    }
}

// A jagged outline taller than wide reaches the canvas in stretches of like rows; it must set
// exactly the pixels of the scan's runs, across word boundaries and inside a clipped area.
TEST(PixelReplayPolygon, NarrowJaggedOutlineSetsExactlyTheScannedPixels) {
    std::vector<IntPoint> outline{{3, 700}};
    for (int x = 3; x <= 203; x += 2) outline.push_back({x, 60 + (x * 37 % 101) * 6});
    outline.push_back({203, 700});
    const Area area{{0, 0, 130, 720}, {130, 300, 150, 100}};
    QImage expected = NewScreenImage();
    for (const IntRect& part : area) {
        ScanEvenOdd(outline, part,
                    [&](int y, std::span<const PixelRun> runs) {
                        for (const PixelRun& run : runs) {
                            for (int x = run.begin; x < run.end; ++x)
                                expected.setPixel(x, y, kWhite);
                        }
                    });
    }
    const QImage screen =
        Drawn([&](Canvas& canvas) { canvas.FillPolygon(kWhite, outline); }, area);
    ASSERT_FALSE(InkBounds(expected).isNull());
    EXPECT_TRUE(screen == expected);
}

TEST(PixelReplayClip, NothingOutsideTheAreaChanges) {
    const Area strips{{100, 0, 4, kScreenHeight}, {900, 0, 4, kScreenHeight}};
    const QImage screen = Drawn(
        [](Canvas& canvas) {
            canvas.FillRect(kWhite, {0, 0, kScreenWidth, kScreenHeight});
            canvas.FillRect(0xFF00FF00, {300, 300, 50, 50});  // outside: must change nothing
            canvas.DrawText(u"WIDE TEXT ACROSS THE STRIP", kFontNormal, PointF{50, 100},
                            0xFFFF0000);
            canvas.DrawImage(IconId::Battery, 500, 500);
        },
        strips);
    for (int y = 0; y < kScreenHeight; y += 7) {
        for (int x = 0; x < kScreenWidth; ++x) {
            const bool inside = (x >= 100 && x < 104) || (x >= 900 && x < 904);
            if (!inside) {
                ASSERT_EQ(screen.pixel(x, y), kBlack) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(screen.pixel(103, 0), kWhite);
    EXPECT_EQ(screen.pixel(900, 719), kWhite);
}

// Whatever a pass draws, each operation's pixels lie inside its recorded bounds and its clip:
// replaying one operation over its bounds alone gives the same picture as over the whole screen.
TEST(PixelReplayClip, EachOperationStaysInsideItsBoundsAndClip) {
    const DisplayList list = Recorded([](Canvas& canvas) {
        canvas.FillRect(kWhite, {-5, 700, 40, 40});
        canvas.FillPolygon(0xFF00FF00, std::vector<IntPoint>{{1200, 10}, {1400, 300}, {1000, 600}});
        canvas.DrawText(u"Wrapped words in a narrow box", kFontNormal, RectF{400, 100, 130, 70},
                        {Align::Center, Align::Far}, kWhite);
        canvas.DrawText(u"pointed", kFontLock, PointF{1100, 650}, kWhite);
        canvas.DrawImage(IconId::KeyF1, 1250, -20);
        canvas.SetClip({0, 0, kScreenWidth, 240});
        canvas.DrawText(u"clipped", kFontLock, PointF{600, 180}, kWhite);
    });
    ASSERT_EQ(list.ops.size(), 6u);
    for (const DrawOp& op : list.ops) {
        ASSERT_FALSE(IsEmpty(op.bounds));
        EXPECT_TRUE(Contains(op.clip, op.bounds));
        EXPECT_TRUE(Contains(kWholeScreen, op.bounds));
        DisplayList alone;
        alone.ops.push_back(op);
        QImage whole = NewScreenImage();
        ReplayScreen(whole, kWhole, alone);
        QImage bounded = NewScreenImage();
        ReplayScreen(bounded, {&op.bounds, 1}, alone);
        EXPECT_TRUE(whole == bounded) << op.bounds.x << "," << op.bounds.y;
        EXPECT_NE(whole, NewScreenImage());
    }
    EXPECT_EQ(list.ops.back().bounds.y + list.ops.back().bounds.h, 240);
}

TEST(PixelReplayText, EmptyOrNulTextDrawsNothingAndNulEndsTheText) {
    const QImage screen = Drawn([](Canvas& canvas) {
        canvas.DrawText(u"", kFontNormal, PointF{10, 10}, kWhite);
        canvas.DrawText(u"", kFontNormal, RectF{10, 10, 300, 60}, {Align::Center, Align::Center},
                        kWhite);
        canvas.DrawText(std::u16string_view(u"\0AB", 3), kFontNormal, PointF{10, 100}, kWhite);
    });
    EXPECT_TRUE(InkBounds(screen).isNull());

    const QImage cut = Drawn([](Canvas& canvas) {
        canvas.DrawText(std::u16string_view(u"AB\0CD", 5), kFontNormal, PointF{10, 10}, kWhite);
    });
    EXPECT_EQ(cut, Drawn([](Canvas& canvas) {
                  canvas.DrawText(u"AB", kFontNormal, PointF{10, 10}, kWhite);
              }));
}

// A screen's worth of texts drawn twice: once through an empty cache, once through a warm one.
void DrawTextPass(TextLayoutCache& cache, QImage& screen) {
    DisplayList list;
    Canvas canvas(list, cache);
    canvas.FillRect(0xFFE6E6E6, {0, 0, kScreenWidth, kScreenHeight});
    canvas.DrawText(u"Satellite > Satellite Finding", kFontNormal, PointF{50.5f, 20}, kBlack);
    canvas.DrawText(u"12603 H 22000", kFontNormal, RectF{660, 170, 560, 60},
                    {Align::Center, Align::Center}, kBlack);
    canvas.DrawText(u"UNLOCK", kFontLock, RectF{20, 350, 300, 160}, {Align::Center, Align::Near},
                    0xFFFF0000);
    canvas.DrawText(u"-20", kFontScale, PointF{10, 600}, kBlack);
    ReplayScreen(screen, kWhole, list);
}

TEST(PixelReplayText, CachedLayoutsDrawTheSamePixels) {
    TextLayoutCache cache;
    QImage cold = NewScreenImage();
    DrawTextPass(cache, cold);
    QImage warm = NewScreenImage();
    DrawTextPass(cache, warm);
    EXPECT_EQ(cold, warm);

    // Filling the cache past its capacity starts it over; the next pass must not differ either.
    {
        DisplayList list;
        Canvas canvas(list, cache);
        for (std::size_t i = 0; i < TextLayoutCache::kCapacity; ++i) {
            canvas.DrawText(u"x" + std::u16string(i % 50 + 1, u'y'), ScreenFont{float(10 + i / 50)},
                            PointF{0, 0}, kWhite);
        }
    }
    EXPECT_LE(cache.Size(), TextLayoutCache::kCapacity);
    QImage evicted = NewScreenImage();
    DrawTextPass(cache, evicted);
    EXPECT_EQ(cold, evicted);
}

// One pass leaves out what later opaque fills cover; that must never show. The oracle draws the
// same operations each in a pass of its own, so nothing is left out there.
TEST(PixelReplayCulling, OnePassEqualsEachOperationInItsOwnPass) {
    using Operation = std::function<void(Canvas&)>;
    const IntPoint triangle[] = {{100, 100}, {700, 150}, {300, 600}};
    const auto fill = [](Argb colour, IntRect rect) -> Operation {
        return [=](Canvas& c) { c.FillRect(colour, rect); };
    };
    const auto text = [](std::u16string_view words, PointF at, Argb colour) -> Operation {
        return [=](Canvas& c) { c.DrawText(words, kFontNormal, at, colour); };
    };
    const std::vector<Operation> operations = {
        fill(0xFFE6E6E6, {0, 0, kScreenWidth, kScreenHeight}),
        text(u"UNDER THE FIELD", {40, 120}, kBlack),
        [](Canvas& c) { c.DrawImage(IconId::Battery, 190, 90); },
        [&](Canvas& c) { c.FillPolygon(0xFF00FF00, triangle); },
        fill(kCursorOrange, {150, 80, 300, 400}),
        fill(0xFF123456, {230, 120, 2, 2}),  // too small to cover
        fill(kBlack, {200, 100, 500, 300}),
        fill(0x80FFFFFF, {180, 90, 40, 400}),  // translucent: covers none
        fill(0xFF0080FF, {0, 250, kScreenWidth, 2}),
        fill(kWhite, {210, 110, 2, 2}),
        text(u"ON TOP", {250, 240}, kCursorOrange),
    };
    const Area areas[] = {kWhole, {{190, 0, 30, 720}, {0, 240, 1280, 20}}};
    for (const Area& area : areas) {
        const QImage together = Drawn(
            [&](Canvas& canvas) {
                for (const Operation& draw : operations) draw(canvas);
            },
            area);
        QImage oneByOne = NewScreenImage();
        for (const Operation& draw : operations) DrawInto(oneByOne, draw, area);
        EXPECT_TRUE(together == oneByOne) << area.size();
        EXPECT_EQ(together.pixel(230, 120), kBlack);
        EXPECT_EQ(together.pixel(210, 110), kWhite);
    }
}

// Icons come from here in the missing-icon tests: the embedded set without the battery.
class IconsWithoutBattery final : public IconSource {
  public:
    ResourceImage Load(IconId icon) const override {
        if (icon == IconId::Battery) return {nullptr, kResourceNotFound};
        return EmbeddedIcons().Load(icon);
    }
};

TEST(PixelReplayImage, MissingIconIsRecordedOnceAndThePassGoesOn) {
    const IconsWithoutBattery icons;
    const DisplayList list = Recorded(
        [](Canvas& canvas) {
            canvas.DrawImage(IconId::Battery, 10, 10);
            canvas.DrawImage(IconId::Badge18V, 100, 10);
            canvas.DrawImage(IconId::Battery, 1000, 10);
            canvas.FillRect(kWhite, {0, 600, 10, 10});
        },
        icons);
    QImage screen = NewScreenImage();
    ReplayScreen(screen, Area{{0, 0, 700, 720}}, list);
    EXPECT_EQ(list.missingIcons, (std::vector<MissingIcon>{{148, kResourceNotFound}}));
    EXPECT_EQ(screen.pixel(20, 20), kBlack);
    EXPECT_NE(screen.pixel(101, 11), kBlack);
    EXPECT_EQ(screen.pixel(5, 605), kWhite);
    for (int unknown : {0, 144, 149}) EXPECT_EQ(LoadResourceImage(unknown).errorCode, ENOENT);
}

TEST(PixelRegion, SubtractionLeavesDisjointRectanglesOfTheRest) {
    PixelRegion region(std::vector<IntRect>{{0, 0, 100, 100}, {50, 50, 100, 100}}, {0, 0, 120, 200});
    region.Subtract({20, 20, 10, 10});
    region.Subtract({0, 90, 200, 5});
    int pixelsHeld = 0;
    for (const IntRect& rect : region.Rects()) {
        pixelsHeld += rect.w * rect.h;
        for (const IntRect& other : region.Rects()) {
            if (&rect != &other) {
                EXPECT_FALSE(Intersects(rect, other));
            }
        }
    }
    // 100x100 plus the 70x50 of the second below the first's bottom, less the hole and the band.
    EXPECT_EQ(pixelsHeld, 10000 + 70 * 50 + 20 * 50 - 100 - 120 * 5);
    EXPECT_TRUE(region.Intersects({25, 25, 10, 1}));
    EXPECT_FALSE(region.Intersects({20, 20, 10, 10}));
    EXPECT_FALSE(region.Intersects({0, 92, 200, 2}));
    EXPECT_EQ(region.Bounds(), (IntRect{0, 0, 120, 150}));
}

}  // namespace
}  // namespace quorvel
