#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "export/BmpEncoder.h"

namespace quorvel {
namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& file, std::size_t at) {
    return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) |
           (static_cast<std::uint32_t>(file[at + 3]) << 24);
}
std::uint16_t Read16(const std::vector<std::uint8_t>& file, std::size_t at) {
    return static_cast<std::uint16_t>(file[at] | (file[at + 1] << 8));
}

TEST(BmpEncoder, ScreenHeaderIsTheClassic54ByteHeader) {
    std::vector<std::uint32_t> screen(1280 * 720, 0xFF000000);
    const auto file = EncodeBmp32(screen.data(), 1280, 720, 1280 * 4);

    ASSERT_EQ(file.size(), 3'686'454u);
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    const std::vector<std::pair<std::size_t, std::uint32_t>> fields32 = {
        {2, 3'686'454}, {6, 0},          {10, 54}, {14, 40}, {18, 1280}, {22, 720},
        {30, 0},        {34, 3'686'400}, {38, 0},  {42, 0},  {46, 0},    {50, 0}};
    for (const auto& [offset, value] : fields32)
        EXPECT_EQ(Read32(file, offset), value) << "offset " << offset;
    EXPECT_EQ(Read16(file, 26), 1);
    EXPECT_EQ(Read16(file, 28), 32);
    EXPECT_EQ(Bmp32FileSize(1280, 720), file.size());
}

TEST(BmpEncoder, RowsRunBottomUpAndPixelsAreBlueGreenRedZero) {
    // 3 by 2 image: top row white, bottom row black except one coloured pixel at its right end.
    const std::size_t stride = 4 * 4;  // rows padded apart, as image rows often are
    std::vector<std::uint32_t> pixels = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xDEADBEEF,
                                         0xFF000000, 0xFF000000, 0xFF123456, 0xDEADBEEF};
    const auto file = EncodeBmp32(pixels.data(), 3, 2, stride);

    ASSERT_EQ(file.size(), 54u + 3 * 4 * 2);
    const std::vector<std::uint8_t> bottom(file.begin() + 54, file.begin() + 54 + 12);
    EXPECT_EQ(bottom, (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 0x56, 0x34, 0x12, 0}));
    const std::vector<std::uint8_t> top(file.begin() + 66, file.end());
    EXPECT_EQ(top,
              (std::vector<std::uint8_t>{255, 255, 255, 0, 255, 255, 255, 0, 255, 255, 255, 0}));
}

// Blocks are cut by rows, so heights around a block's edge, a padded stride and a buffer left
// over from a larger picture must all give exactly the file EncodeBmp32 makes.
TEST(BmpEncoder, BlocksJoinedAreTheWholeFile) {
    constexpr int kRows = Bmp32Blocks::kRowsPerBlock;
    std::vector<std::uint8_t> buffer(100'000, 0xA5);
    for (const int height : {0, 1, kRows - 1, kRows, kRows + 1, 3 * kRows + 5}) {
        const int width = 7;
        const std::size_t stride = 9 * 4;
        std::vector<std::uint32_t> pixels(9 * static_cast<std::size_t>(height));
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = 0x80000000u | static_cast<std::uint32_t>(i * 0x010203);

        Bmp32Blocks blocks(pixels.data(), width, height, stride, buffer);
        std::vector<std::uint8_t> joined;
        int pieces = 0;
        for (auto piece = blocks.Next(); !piece.empty(); piece = blocks.Next(), ++pieces) {
            joined.insert(joined.end(), piece.begin(), piece.end());
        }
        EXPECT_EQ(joined, EncodeBmp32(pixels.data(), width, height, stride)) << height;
        EXPECT_EQ(pieces, std::max(1, (height + kRows - 1) / kRows)) << height;
    }
}

}  // namespace
}  // namespace quorvel
