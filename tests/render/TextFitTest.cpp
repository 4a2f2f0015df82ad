// The text-fit check: which rectangle texts lose a line or break a word, and what shows.
#include <gtest/gtest.h>

#include "render/Canvas.h"
#include "render/ScreenPainter.h"

namespace quorvel {
namespace {

constexpr Argb kWhite = 0xFFFFFFFF;

struct Drawn {
    QImage screen;
    std::vector<UnfitText> unfit;
};

Drawn DrawInBox(std::u16string_view text, RectF box, Align vertical = Align::Near) {
    Drawn drawn{NewScreenImage(), {}};
    DisplayList list;
    Canvas canvas(list);
    canvas.DrawText(text, kFontNormal, box, {Align::Center, vertical}, kWhite);
    ReplayScreen(drawn.screen, {&kWholeScreen, 1}, list);
    AddUnfitTexts(list, PixelRegion({&kWholeScreen, 1}, kWholeScreen), drawn.unfit);
    return drawn;
}

TEST(TextFit, ReportsCutLinesAndBrokenWordsWithWhatShows) {
    struct Case {
        const char16_t* text;
        RectF box;
        Align vertical;
        bool fits;
        const char16_t* shown;
    };
    const Case cases[] = {
        {u"LOCK", {100, 100, 300, 60}, Align::Near, true, u""},
        // Two words, room for one line: the second line falls below the box's foot.
        {u"LOCK LOCK", {100, 100, 110, 45}, Align::Near, false, u"LOCK"},
        // Both lines fit: wrapping between words alone is no fault.
        {u"LOCK LOCK", {100, 100, 110, 120}, Align::Near, true, u""},
        // A word wider than the box is broken even when both parts show.
        {u"bloquer", {100, 100, 80, 200}, Align::Near, false, u"bloquer"},
        // Centred in a box too low for its two lines, neither line shows whole.
        {u"bloquer", {100, 100, 80, 45}, Align::Center, false, u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString::fromStdU16String(c.text).toStdString() + " in " +
                     std::to_string(c.box.w) + "x" + std::to_string(c.box.h));
        const Drawn drawn = DrawInBox(c.text, c.box, c.vertical);
        if (c.fits) {
            EXPECT_TRUE(drawn.unfit.empty());
            continue;
        }
        ASSERT_EQ(drawn.unfit.size(), 1u);
        EXPECT_EQ(drawn.unfit[0].text, c.text);
        EXPECT_EQ(drawn.unfit[0].box, c.box);
        EXPECT_EQ(drawn.unfit[0].shown, c.shown);
        // The width it needs is its one unwrapped line's, not the widest wrapped line's.
        EXPECT_EQ(drawn.unfit[0].neededWidth,
                  SharedTextLayoutCache().Line(c.text, 35, kWhite)->layoutWidth);
    }
}

}  // namespace
}  // namespace quorvel
