#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "export/BmpEncoder.h"

namespace quorvel {
namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& file, std::size_t at) {
    return file[at] | (file[at + 1] << 8) | (file[at + 2] << 16) |
           (std::uint32_t{file[at + 3]} << 24);
}

TEST(BmpEncoder, ScreenFileIsTheClassic54ByteHeaderThenBottomUpBlueGreenRedZeroRows) {
    std::vector<std::uint32_t> screen(1280 * 720, 0xFF000000);
    screen[0] = 0xFF123456;  // top left: the first pixel of the last row in the file
    const auto file = EncodeBmp32(screen.data(), 1280, 720, 1280 * 4);
    ASSERT_EQ(file.size(), 3'686'454u);
    EXPECT_EQ(Bmp32FileSize(1280, 720), file.size());
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    const std::pair<std::size_t, std::uint32_t> fields[] = {
        {2, 3'686'454}, {6, 0},          {10, 54}, {14, 40}, {18, 1280}, {22, 720}, {26, 0x200001},
        {30, 0},        {34, 3'686'400}, {38, 0},  {42, 0},  {46, 0},    {50, 0}};
    for (const auto& [offset, value] : fields) EXPECT_EQ(Read32(file, offset), value) << offset;
    const std::size_t lastRow = 54 + 719 * 1280 * 4;
    EXPECT_EQ(std::vector(file.begin() + lastRow, file.begin() + lastRow + 8),
              (std::vector<std::uint8_t>{0x56, 0x34, 0x12, 0, 0, 0, 0, 0}));
    EXPECT_TRUE(
        std::all_of(file.begin() + 54, file.begin() + lastRow, [](auto b) { return b == 0; }));
}

// Blocks are cut by rows, so heights around a block's edge, a padded stride and a buffer left
// over from a larger picture must all give exactly the file EncodeBmp32 makes.
TEST(BmpEncoder, BlocksJoinedAreTheWholeFile) {
    constexpr int kRows = Bmp32Blocks::kRowsPerBlock;
    std::vector<std::uint8_t> buffer(100'000, 0xA5);
    for (const int height : {0, 1, kRows - 1, kRows, kRows + 1, 3 * kRows + 5}) {
        const int width = 7;
        const std::size_t stride = 9 * 4;  // rows padded apart, as image rows often are
        std::vector<std::uint32_t> pixels(9 * static_cast<std::size_t>(height));
        for (std::size_t i = 0; i < pixels.size(); ++i)
            pixels[i] = 0x80000000u | static_cast<std::uint32_t>(i * 0x010203);

        Bmp32Blocks blocks(pixels.data(), width, height, stride, buffer);
        std::vector<std::uint8_t> joined;
        int pieces = 0;
        for (auto piece = blocks.Next(); !piece.empty(); piece = blocks.Next(), ++pieces) {
            joined.insert(joined.end(), piece.begin(), piece.end());
        }
        const auto whole = EncodeBmp32(pixels.data(), width, height, stride);
        EXPECT_EQ(joined, whole) << height;
        EXPECT_EQ(whole.size(), 54u + 28u * static_cast<std::size_t>(height));
        EXPECT_EQ(pieces, std::max(1, (height + kRows - 1) / kRows)) << height;
        if (height > 1) {
            EXPECT_EQ(Read32(whole, 54), 0x00FFFFFF & pixels[9 * (height - 1)])
                << "bottom row first";
        }
    }
}

}  // namespace
}  // namespace quorvel
