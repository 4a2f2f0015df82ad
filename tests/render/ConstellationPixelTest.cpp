// The Constellation Analyzer screen painted into the real screen image: F1 repaints and probes.
#include <gtest/gtest.h>

#include <QImage>
#include <QRegion>

#include "ConstellationTestEntry.h"
#include "render/ConstellationScreen.h"
#include "render/ImageCanvas.h"
#include "render/ScreenPainter.h"

namespace quorvel {
namespace {

using test::ConstellationBytes;
using test::TypicalConstellation;

const QRegion kFullScreen(0, 0, kScreenWidth, kScreenHeight);
// What F1 invalidates.
const QRegion kBand(0, 240, 1280, 480);

constexpr QRgb kBackground = 0xFFE6E6E6;
constexpr QRgb kBar = 0xFF065E86;
constexpr QRgb kTrack = 0xFFFFFFFF;

void Paint(QImage& screen, const QRegion& area, const ConstellationBytes& bytes, bool showMore) {
    ImageCanvas canvas(screen, area);
    DrawConstellation(canvas, bytes.Entry(), Language::English, DvbType::Satellite, showMore);
}

QImage Painted(const ConstellationBytes& bytes, bool showMore) {
    QImage screen = NewScreenImage();
    Paint(screen, kFullScreen, bytes, showMore);
    return screen;
}

// A diagram with points everywhere they may go, the title strip and the band's rows included.
ConstellationBytes BusyConstellation() {
    ConstellationBytes bytes = TypicalConstellation();
    for (int slot = 0; slot < ConstellationBytes::kSlots; ++slot) {
        bytes.Point(slot, static_cast<std::int16_t>((slot * 37) % 601),
                    static_cast<std::int16_t>((slot * 53) % 700 - 129));
    }
    return bytes;
}

TEST(ConstellationPixels, F1TwiceReturnsExactlyToTheDiagramView) {
    const ConstellationBytes bytes = BusyConstellation();
    const QImage diagram = Painted(bytes, false);
    QImage screen = diagram;

    Paint(screen, kBand, bytes, true);
    EXPECT_EQ(screen.copy(0, 0, 1280, 240), diagram.copy(0, 0, 1280, 240));
    EXPECT_NE(screen.copy(0, 240, 1280, 480), diagram.copy(0, 240, 1280, 480));
    EXPECT_EQ(screen.pixel(10, 240), kBackground);

    Paint(screen, kBand, bytes, false);
    EXPECT_EQ(screen, diagram);
}

TEST(ConstellationPixels, FullRepaintInTheMoreViewShowsTheDiagramAboveTheBand) {
    const ConstellationBytes bytes = BusyConstellation();
    QImage viaF1 = Painted(bytes, false);
    Paint(viaF1, kBand, bytes, true);

    // Leftovers of another screen must not survive above the band.
    QImage screen = NewScreenImage();
    screen.fill(0xFF123456);
    Paint(screen, kFullScreen, bytes, true);
    EXPECT_EQ(screen, viaF1);
}

struct ProbeCase {
    const char* what;
    int x, y;
    QRgb colour;
};

void ExpectPixels(const QImage& screen, std::initializer_list<ProbeCase> probes) {
    for (const auto& p : probes) {
        EXPECT_EQ(screen.pixel(p.x, p.y), p.colour)
            << p.what << " at " << p.x << "," << p.y << ": " << std::hex << screen.pixel(p.x, p.y);
    }
}

TEST(ConstellationPixels, BarsFillTheirTrackAndRunPastIt) {
    ConstellationBytes bytes = TypicalConstellation();
    bytes.U8(ConstellationBytes::kQuality, 100).U8(ConstellationBytes::kStrength, 255);
    ExpectPixels(Painted(bytes, true),
                 {
                     {"quality 100 starts the track", 260, 530, kBar},
                     {"quality 100 ends with the track", 1079, 530, kBar},
                     {"nothing after the track", 1080, 530, kBackground},
                     {"strength 255 reaches the screen's edge", 1279, 600, kBar},
                     {"bars are 30 rows high", 700, 614, kBar},
                     {"bars are 30 rows high", 700, 615, kBackground},
                 });
    bytes.U8(ConstellationBytes::kQuality, 0);
    ExpectPixels(Painted(bytes, true), {{"quality 0 leaves the white track", 260, 530, kTrack}});
}

}  // namespace
}  // namespace quorvel
