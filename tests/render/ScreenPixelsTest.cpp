// Direct fills against QPainter's raster engine, and copies of opaque pictures.
#include <gtest/gtest.h>

#include <QPainter>

#include "render/ScreenPixels.h"

namespace quorvel {
namespace {

// 256 columns so that every channel value lies beneath each blend.
QImage Beneath() {
    QImage image(256, 4, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 4; ++y) image.setPixel(x, y, qRgb(x, 255 - x, (x * 7 + y * 64) & 0xFF));
    }
    return image;
}

TEST(ScreenPixels, FillRoundsAsQPainterForEveryAlpha) {
    const QImage beneath = Beneath();
    for (const Argb rgb : {0xFF8000u, 0x00FF00u, 0x123456u, 0xABCDEFu}) {
        for (Argb alpha = 0; alpha < 256; ++alpha) {
            const Argb colour = alpha << 24 | rgb;
            QImage expected = beneath;
            QPainter(&expected).fillRect(QRect(3, 1, 250, 2), QColor::fromRgba(colour));
            QImage filled = beneath;
            pixels::Fill(pixels::Target(filled), QRect(3, 1, 250, 2), pixels::SolidFill(colour));
            ASSERT_TRUE(filled == expected) << std::hex << colour;
        }
    }
}

TEST(ScreenPixels, OpaqueSourceIsCopiedOnlyInsideThePiece) {
    QImage source(10, 10, QImage::Format_RGB32);
    source.fill(0xFF123456);
    source.setPixel(4, 7, 0xFFABCDEF);
    QImage target = Beneath();
    pixels::Copy(pixels::Target(target), QRect(20, 1, 3, 2), source, QPoint(16, -6));
    EXPECT_EQ(target.pixel(20, 1), 0xFFABCDEFu);  // source (4, 7)
    EXPECT_EQ(target.pixel(22, 2), 0xFF123456u);
    EXPECT_EQ(target.pixel(19, 1), Beneath().pixel(19, 1));
    EXPECT_EQ(target.pixel(23, 1), Beneath().pixel(23, 1));
    EXPECT_EQ(target.pixel(20, 3), Beneath().pixel(20, 3));
}

}  // namespace
}  // namespace quorvel
