#include <gtest/gtest.h>

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

// A batch encodes every picture into one reused buffer: whatever the buffer held before, from a
// different picture or garbage, must not show through, header reserved fields included.
TEST(BmpEncoder, EncodingIntoAUsedBufferGivesTheSameFile) {
    std::vector<std::uint32_t> pixels(5 * 3);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = 0x80000000u | static_cast<std::uint32_t>(i * 0x010203);
    const auto expected = EncodeBmp32(pixels.data(), 5, 3, 5 * 4);

    std::vector<std::uint8_t> reused(Bmp32FileSize(5, 3), 0xA5);
    EncodeBmp32Into(reused, pixels.data(), 5, 3, 5 * 4);
    EXPECT_EQ(reused, expected);
}

}  // namespace
}  // namespace quorvel
