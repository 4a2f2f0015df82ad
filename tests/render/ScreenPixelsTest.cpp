// Direct pixel writes against QPainter's raster engine: every alpha must round the same way.
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
            pixels::Fill(filled, QRect(3, 1, 250, 2), pixels::SolidFill(colour));
            ASSERT_TRUE(filled == expected) << std::hex << colour;
        }
    }
}

// A premultiplied source with every alpha, each over a different pixel, at an offset.
TEST(ScreenPixels, PremultipliedSourceBlendsAsQPainterDrawsIt) {
    const QImage beneath = Beneath();
    for (const QRgb rgb : {0xFF8000u, 0x000000u, 0xFFFFFFu, 0x3C5A96u}) {
        QImage source(256, 3, QImage::Format_ARGB32);
        for (int x = 0; x < 256; ++x) {
            for (int y = 0; y < 3; ++y)
                source.setPixel(x, y,
                                qRgba(qRed(rgb), qGreen(rgb) ^ y, qBlue(rgb), (x + 85 * y) & 0xFF));
        }
        for (const QImage::Format format :
             {QImage::Format_ARGB32_Premultiplied, QImage::Format_ARGB32}) {
            const QImage converted = source.convertToFormat(format);
            QImage expected = beneath;
            QPainter(&expected).drawImage(QPoint(0, 1), converted, QRect(5, 0, 251, 3));
            QImage drawn = beneath;
            pixels::Draw(drawn, QRect(0, 1, 251, 3), converted, QPoint(-5, 1));
            EXPECT_TRUE(drawn == expected) << std::hex << rgb << " format " << format;
        }
    }
}

TEST(ScreenPixels, OpaqueSourceIsCopiedOnlyInsideThePiece) {
    QImage source(10, 10, QImage::Format_RGB32);
    source.fill(0xFF123456);
    source.setPixel(4, 7, 0xFFABCDEF);
    QImage target = Beneath();
    pixels::Draw(target, QRect(20, 1, 3, 2), source, QPoint(16, -6));
    EXPECT_EQ(target.pixel(20, 1), 0xFFABCDEFu);  // source (4, 7)
    EXPECT_EQ(target.pixel(22, 2), 0xFF123456u);
    EXPECT_EQ(target.pixel(19, 1), Beneath().pixel(19, 1));
    EXPECT_EQ(target.pixel(23, 1), Beneath().pixel(23, 1));
    EXPECT_EQ(target.pixel(20, 3), Beneath().pixel(20, 3));
}

}  // namespace
}  // namespace quorvel
