// Encodes a 32-bit screen image as an uncompressed, bottom-up Windows BMP file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace quorvel {

inline constexpr std::size_t kBmpHeaderSize = 54;

// Size of the file EncodeBmp32 produces for a width by height image.
constexpr std::size_t Bmp32FileSize(int width, int height) {
    return kBmpHeaderSize + static_cast<std::size_t>(width) * 4 * static_cast<std::size_t>(height);
}

// `pixels` holds `height` rows of `width` 0xAARRGGBB values, top row first, rows `strideBytes`
// apart. The file stores each pixel as blue, green, red and a zero byte, bottom row first, so
// readers that expect the classic 32-bit layout see no alpha.
std::vector<std::uint8_t> EncodeBmp32(const std::uint32_t* pixels, int width, int height,
                                      std::size_t strideBytes);

// The same file written into `file`, which must hold exactly Bmp32FileSize(width, height) bytes;
// lets a caller that encodes many pictures reuse one buffer instead of clearing a new one each
// time.
void EncodeBmp32Into(std::span<std::uint8_t> file, const std::uint32_t* pixels, int width,
                     int height, std::size_t strideBytes);

}  // namespace quorvel
