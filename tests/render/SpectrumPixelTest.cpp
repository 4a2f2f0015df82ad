// The Spectrum Analyzer screen painted into the real screen image: blending and strip repaints.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>

#include "render/ImageCanvas.h"
#include "render/ScreenPainter.h"
#include "render/SpectrumScreen.h"
#include "support/EntryBytes.h"

namespace quorvel {
namespace {

using Bytes = test::EntryBytes<SpectrumEntry::kSize>;

// 950 to 2150 MHz, 7 pixels a sample: samples 0 to 19 (x 100 to 233) reach the plot's top,
// the rest read nothing and lie on the bottom line.
Bytes TallThenFlat() {
    Bytes bytes;
    bytes.I32(32, 950).I32(40, 2150);
    for (std::size_t i = 0; i < 20; ++i) bytes.U8(SpectrumEntry::kLevelsOffset + i, 70);
    return bytes;
}

void Paint(QImage& screen, const QRegion& area, const Bytes& bytes, int cursorX) {
    ImageCanvas canvas(screen, area);
    DrawSpectrum(canvas, SpectrumEntry(bytes.View()), {.cursorX = cursorX});
}

TEST(SpectrumPixelTest, CursorColumnBlendsOverPlotAndTraceAndSpansThreeColumns) {
    struct Case {
        int cursorX;
        Argb under;    // what the plot shows at y 300 without the cursor
        Argb blended;  // 0x64FF8000 over it
    };
    const Case cases[] = {
        {150, 0xFF00FF00, 0xFF64CD00},
        {600, 0xFF000000, 0xFF643200},
    };
    const Bytes bytes = TallThenFlat();
    for (const Case& c : cases) {
        QImage screen = NewScreenImage();
        Paint(screen, QRegion(screen.rect()), bytes, c.cursorX);
        SCOPED_TRACE(c.cursorX);
        for (int x = c.cursorX - 1; x <= c.cursorX + 1; ++x) {
            EXPECT_EQ(screen.pixel(x, 300), c.blended) << x;
            EXPECT_EQ(screen.pixel(x, 70), c.blended) << x;
        }
        EXPECT_EQ(screen.pixel(c.cursorX - 2, 300), c.under);
        EXPECT_EQ(screen.pixel(c.cursorX + 2, 300), c.under);
        EXPECT_EQ(screen.pixel(c.cursorX, 69), 0xFFE6E6E6u);   // above the plot
        EXPECT_EQ(screen.pixel(c.cursorX, 650), 0xFFB4B4B4u);  // the bottom grid line
    }
}

TEST(SpectrumPixelTest, TraceFillsUpToItsLastSampleAndLeavesTheRestOfThePlotBlack) {
    QImage screen = NewScreenImage();
    Paint(screen, QRegion(screen.rect()), TallThenFlat(), 101);
    EXPECT_EQ(screen.pixel(200, 100), 0xFF00FF00u);
    EXPECT_EQ(screen.pixel(400, 100), 0xFF000000u);
    EXPECT_EQ(screen.pixel(950, 640), 0xFF000000u);  // right of the last sample at x 933
    EXPECT_EQ(screen.pixel(200, 418), 0xFF00FF00u);  // the trace covers the grid lines
    EXPECT_EQ(screen.pixel(400, 418), 0xFFB4B4B4u);
}

TEST(SpectrumPixelTest, PointerStripRepaintMatchesAFullRepaint) {
    const Bytes bytes = TallThenFlat();
    QImage moved = NewScreenImage();
    Paint(moved, QRegion(moved.rect()), bytes, 150);
    // The two strips a pointer move from x 150 to x 600 invalidates.
    const QRegion strips = QRegion(149, 70, 4, 580) + QRegion(599, 70, 4, 580);
    Paint(moved, strips, bytes, 600);

    QImage full = NewScreenImage();
    Paint(full, QRegion(full.rect()), bytes, 600);
    EXPECT_EQ(moved.pixel(150, 300), 0xFF00FF00u);
    EXPECT_TRUE(moved == full);
}

}  // namespace
}  // namespace quorvel
