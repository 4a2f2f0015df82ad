#include <gtest/gtest.h>

#include <random>

#include "compare/PictureBytes.h"
#include "compare/PixelDiff.h"

namespace quorvel::compare {
namespace {

Picture WithPixels(Picture picture, std::initializer_list<std::pair<int, int>> changed,
                   std::uint32_t flip = 0x800000) {
    for (const auto& [x, y] : changed) picture.pixels[y * picture.width + x] ^= flip;
    return picture;
}

std::vector<IntRect> AreasBetween(const Picture& a, const Picture& b) {
    return DiffPixels(a, b, {}, false).areas;
}

TEST(PixelDiff, CountsPixelsAndMergesTouchingAreas) {
    const Picture base = test::PatternPicture(40, 30);
    EXPECT_EQ(DiffPixels(base, base, {}, true).differingPixels, 0u);

    const PixelDiff one = DiffPixels(base, WithPixels(base, {{39, 29}}), {}, true);
    EXPECT_EQ(one.differingPixels, 1u);
    EXPECT_EQ(one.areas, (std::vector<IntRect>{{39, 29, 1, 1}}));
    ASSERT_EQ(one.mask.size(), base.pixels.size());
    EXPECT_EQ(one.mask.back(), 1);

    // Corner to corner is touching; one pixel of gap is not.
    EXPECT_EQ(AreasBetween(base, WithPixels(base, {{3, 3}, {4, 4}})),
              (std::vector<IntRect>{{3, 3, 2, 2}}));
    EXPECT_EQ(AreasBetween(base, WithPixels(base, {{3, 3}, {5, 3}, {0, 10}})),
              (std::vector<IntRect>{{3, 3, 1, 1}, {5, 3, 1, 1}, {0, 10, 1, 1}}));
    // A dot inside the box of an L it does not touch joins the L's area.
    EXPECT_EQ(
        AreasBetween(
            base,
            WithPixels(
                base,
                {{10, 10}, {10, 11}, {10, 12}, {10, 13}, {11, 13}, {12, 13}, {13, 13}, {12, 11}})),
        (std::vector<IntRect>{{10, 10, 4, 4}}));
}

// Every set pixel lies in exactly one area, and no two areas touch, whatever the pattern.
TEST(PixelDiff, RandomMasksGiveDisjointBoxesCoveringEveryPixel) {
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        const int width = 1 + static_cast<int>(random() % 30),
                  height = 1 + static_cast<int>(random() % 20);
        std::vector<std::uint8_t> mask(static_cast<std::size_t>(width) * height);
        const unsigned density = 1 + random() % 6;
        for (auto& cell : mask) cell = random() % density == 0;
        const std::vector<IntRect> areas = AreasOfMask(mask, width, height);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                int holders = 0;
                for (const IntRect& r : areas)
                    holders += x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
                if (mask[y * width + x]) {
                    EXPECT_EQ(holders, 1) << round << " " << x << "," << y;
                }
            }
        }
        for (std::size_t i = 0; i < areas.size(); ++i) {
            for (std::size_t j = i + 1; j < areas.size(); ++j) {
                const IntRect &a = areas[i], &b = areas[j];
                EXPECT_FALSE(a.x <= b.x + b.w && b.x <= a.x + a.w && a.y <= b.y + b.h &&
                             b.y <= a.y + a.h)
                    << round;
            }
        }
    }
}

TEST(PixelDiff, ToleranceAppliesToEachChannel) {
    Picture base = test::PatternPicture(8, 8);
    base.pixels[9] = 0x808080;
    for (const std::uint32_t channel : {0x010000u, 0x000100u, 0x000001u}) {
        for (const std::uint32_t off : {0x808080 + 4 * channel, 0x808080 - 4 * channel}) {
            const Picture changed = WithPixels(base, {{1, 1}}, 0x808080 ^ off);
            EXPECT_EQ(DiffPixels(base, changed, {4, {}}, false).differingPixels, 0u)
                << std::hex << off;
            EXPECT_EQ(DiffPixels(base, changed, {3, {}}, false).differingPixels, 1u)
                << std::hex << off;
        }
    }
}

TEST(PixelDiff, IgnoredRectanglesEndAtTheirEdges) {
    const Picture base = test::PatternPicture(20, 20);
    const Picture changed = WithPixels(base, {{5, 5}, {9, 5}, {5, 9}, {10, 5}, {5, 10}, {4, 4}});
    const PixelDiff diff = DiffPixels(base, changed, {0, {{5, 5, 5, 5}}}, false);
    EXPECT_EQ(diff.differingPixels, 3u);
    EXPECT_EQ(diff.areas, (std::vector<IntRect>{{4, 4, 1, 1}, {10, 5, 1, 1}, {5, 10, 1, 1}}));
}

}  // namespace
}  // namespace quorvel::compare
