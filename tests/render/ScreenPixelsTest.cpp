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

// Narrow pieces many rows high are written down the rows, and a blend reuses its last result
// while the pixel beneath repeats: runs of one colour broken by single odd pixels catch a stale
// result or a row written at the wrong place.
TEST(ScreenPixels, NarrowTallFillsMatchQPainterOverRepeatingColours) {
    QImage beneath(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < beneath.height(); ++y) {
        for (int x = 0; x < beneath.width(); ++x) {
            const bool odd = (x * 7 + y * 3) % 11 == 0;
            beneath.setPixel(x, y, odd ? qRgb(x * 6, y * 8, 200) : (y / 5 % 2 ? 0xFF00FF00 : 0));
        }
    }
    for (const QRect piece : {QRect(0, 0, 1, 30), QRect(5, 2, 3, 25), QRect(9, 1, 4, 28),
                              QRect(3, 7, 16, 9), QRect(21, 4, 17, 20)}) {
        for (const Argb colour :
             {0x64FF8000u, 0x01123456u, 0xFEABCDEFu, 0x00FFFFFFu, 0xFF0080FFu}) {
            QImage expected = beneath;
            QPainter(&expected).fillRect(piece, QColor::fromRgba(colour));
            QImage filled = beneath;
            pixels::Fill(pixels::Target(filled), piece, pixels::SolidFill(colour));
            ASSERT_TRUE(filled == expected)
                << std::hex << colour << std::dec << " at " << piece.x() << "," << piece.y() << " "
                << piece.width() << "x" << piece.height();
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
