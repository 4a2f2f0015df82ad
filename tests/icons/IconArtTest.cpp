// The committed icon files are exactly what the generator draws, and the embedded ones match them.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>
#include <cstring>

#include "render/IconStore.h"
#include "tools/IconArt.h"

namespace quorvel::icons {
namespace {

QByteArray Committed(const QString& name) {
    QFile file(QStringLiteral(QUORVEL_SOURCE_DIR "/res/icons/") + name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

void ExpectSamePixels(const QImage& image, const Picture& drawn) {
    ASSERT_EQ(image.size(), QSize(drawn.width, drawn.height));
    for (int y = 0; y < drawn.height; ++y) {
        for (int x = 0; x < drawn.width; ++x) {
            ASSERT_EQ(image.pixel(x, y), drawn.At(x, y)) << x << "," << y;
        }
    }
}

TEST(IconArt, CommittedBitmapsAreTheGeneratorsBytes) {
    for (int id : kIconIds) {
        const std::vector<std::uint8_t> drawn = EncodeBmp24(*DrawIcon(id));
        const QByteArray committed = Committed(QString::number(id) + ".bmp");
        ASSERT_EQ(static_cast<std::size_t>(committed.size()), drawn.size()) << id;
        EXPECT_EQ(std::memcmp(committed.constData(), drawn.data(), drawn.size()), 0) << id;
    }
}

TEST(IconArt, BitmapsAreBottomUp24BitAtTheTabledSizes) {
    struct Case {
        int id, width, height;
    };
    const Case cases[] = {{140, 40, 40}, {141, 40, 40}, {142, 40, 40},
                          {143, 50, 40}, {145, 50, 40}, {148, 28, 58}};
    for (const Case& c : cases) {
        const Picture picture = *DrawIcon(c.id);
        const std::vector<std::uint8_t> bmp = EncodeBmp24(picture);
        const std::uint32_t rowSize = (c.width * 3 + 3) & ~3u;
        EXPECT_EQ(Le32(bmp, 2), bmp.size()) << c.id;
        EXPECT_EQ(Le32(bmp, 10), 54u);
        EXPECT_EQ(Le32(bmp, 18), static_cast<std::uint32_t>(c.width)) << c.id;
        EXPECT_EQ(Le32(bmp, 22), static_cast<std::uint32_t>(c.height)) << c.id;
        EXPECT_EQ(bmp[28], 24);
        EXPECT_EQ(bmp.size(), 54 + rowSize * c.height) << c.id;
        // The first stored row is the picture's bottom row, blue-green-red.
        const std::uint32_t bottomLeft = picture.At(0, c.height - 1);
        EXPECT_EQ(bmp[54], bottomLeft & 0xFF);
        EXPECT_EQ(bmp[56], (bottomLeft >> 16) & 0xFF);
        // Every icon sits on the screen's grey.
        EXPECT_EQ(picture.At(0, 0), 0xFFE6E6E6u) << c.id;
        EXPECT_EQ(picture.At(c.width - 1, c.height - 1), 0xFFE6E6E6u) << c.id;
    }
    EXPECT_FALSE(DrawIcon(144).has_value());
}

TEST(IconArt, BadgesDifferOnlyInTheirLabels) {
    const Picture v13 = *DrawIcon(140), v18 = *DrawIcon(141), k22 = *DrawIcon(142);
    EXPECT_NE(v13.pixels, v18.pixels);
    EXPECT_NE(v13.pixels, k22.pixels);
    // The frame's left edge is the same blue on all three.
    EXPECT_EQ(v13.At(1, 20), v18.At(1, 20));
    EXPECT_EQ(v13.At(1, 20), k22.At(1, 20));
    EXPECT_EQ(v13.At(1, 20), 0xFF0050C8u);
}

TEST(IconArt, CommittedApplicationIconsHaveTheDrawnPixelsAtEveryThemeSize) {
    for (int size : kAppIconSizes) {
        SCOPED_TRACE(size);
        const QString side = QString::number(size);
        QImage committed;
        ASSERT_TRUE(committed.loadFromData(
            Committed("hicolor/" + side + "x" + side + "/apps/quorvel.png"), "PNG"));
        committed = committed.convertToFormat(QImage::Format_ARGB32);
        const Picture drawn = DrawAppIcon(size);
        ExpectSamePixels(committed, drawn);
        EXPECT_EQ(qAlpha(committed.pixel(0, 0)), 0);  // transparent around the body
        // The screen's grey sits at the same place of the design whatever the size.
        EXPECT_EQ(drawn.At(size * 10 / 64, size * 20 / 64), 0xFFE6E6E6u);
    }
}

TEST(IconArt, EmbeddedIconsDecodeToTheDrawnPictures) {
    for (int id : kIconIds) {
        SCOPED_TRACE(id);
        const pixels::PixelImage* icon = LoadResourceImage(id).image;
        ASSERT_NE(icon, nullptr);
        ExpectSamePixels(QImage(reinterpret_cast<const uchar*>(icon->pixels.data()), icon->width,
                                icon->height, icon->width * 4, QImage::Format_ARGB32),
                         *DrawIcon(id));
    }
}

}  // namespace
}  // namespace quorvel::icons
