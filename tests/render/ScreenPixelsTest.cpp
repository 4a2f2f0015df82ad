// Direct fills and blends against QPainter's raster engine, and copies of opaque pictures.
#include <gtest/gtest.h>

#include <QPainter>

#include "render/ScreenPainter.h"
#include "render/ScreenPixels.h"
#include "render/TextLayoutCache.h"

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
            pixels::Fill(PixelsOf(filled), {3, 1, 250, 2}, pixels::SolidFill(colour));
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
            pixels::Fill(PixelsOf(filled), {piece.x(), piece.y(), piece.width(), piece.height()},
                         pixels::SolidFill(colour));
            ASSERT_TRUE(filled == expected)
                << std::hex << colour << std::dec << " at " << piece.x() << "," << piece.y() << " "
                << piece.width() << "x" << piece.height();
        }
    }
}

TEST(ScreenPixels, OpaqueSourceIsCopiedOnlyInsideThePiece) {
    pixels::PixelImage source{10, 10, std::vector<std::uint32_t>(100, 0xFF123456), false};
    source.pixels[7 * 10 + 4] = 0xFFABCDEF;
    QImage target = Beneath();
    pixels::Draw(PixelsOf(target), {20, 1, 3, 2}, source, {16, -6});
    EXPECT_EQ(target.pixel(20, 1), 0xFFABCDEFu);  // source (4, 7)
    EXPECT_EQ(target.pixel(22, 2), 0xFF123456u);
    EXPECT_EQ(target.pixel(19, 1), Beneath().pixel(19, 1));
    EXPECT_EQ(target.pixel(23, 1), Beneath().pixel(23, 1));
    EXPECT_EQ(target.pixel(20, 3), Beneath().pixel(20, 3));
}

// Qt's solid fills premultiply at 16 bits a channel, its pictures at 8; both must round alike.
TEST(ScreenPixels, PremultipliedColoursRoundAsQtRoundsThem) {
    for (std::uint32_t alpha = 0; alpha < 256; ++alpha) {
        for (std::uint32_t channel = 0; channel < 256; channel += 3) {
            const Argb colour = alpha << 24 | channel << 16 | (255 - channel) << 8 | channel / 2;
            ASSERT_EQ(pixels::Premultiplied16(colour),
                      qPremultiply(QRgba64::fromArgb32(colour)).toArgb32())
                << std::hex << colour;
            ASSERT_EQ(pixels::Premultiplied8(colour), qPremultiply(colour)) << std::hex << colour;
        }
    }
}

// A translucent text over every shade must blend as QPainter blends a premultiplied picture.
TEST(ScreenPixels, TextInkBlendsAsQPainterDrawsIt) {
    QImage under(256, 60, QImage::Format_RGB32);
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 60; ++y) under.setPixel(x, y, qRgb(x, 255 - x, (x * 7) & 0xFF));
    }
    const TextLayoutCache::Entry text = SharedTextLayoutCache().Line(u"WMW", 35, 0xC0FF8000);
    const pixels::PixelImage& ink = text->image;
    const QImage inkImage(reinterpret_cast<const uchar*>(ink.pixels.data()), ink.width, ink.height,
                          ink.width * 4, QImage::Format_ARGB32_Premultiplied);
    QImage expected = under.copy();
    {
        QPainter painter(&expected);
        painter.drawImage(QPoint(3, 2), inkImage);
    }
    QImage blended = under.copy();
    pixels::Draw(PixelsOf(blended), {3, 2, ink.width, ink.height}, ink, {3, 2});
    EXPECT_TRUE(blended == expected);
}

}  // namespace
}  // namespace quorvel
