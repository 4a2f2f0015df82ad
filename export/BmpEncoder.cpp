#include "export/BmpEncoder.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace quorvel {
namespace {

void Put16(std::uint8_t* at, std::uint16_t value) {
    at[0] = static_cast<std::uint8_t>(value);
    at[1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::uint8_t* at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// 0xAARRGGBB becomes the bytes blue, green, red, 0. On a little-endian machine that is the value
// with its alpha cleared, stored as it is, which the compiler turns into a few vector
// instructions per row.
void EncodeRow(const std::uint8_t* line, int width, std::uint8_t* out) {
    for (int x = 0; x < width; ++x) {
        std::uint32_t argb;
        std::memcpy(&argb, line + static_cast<std::size_t>(x) * 4, sizeof argb);
        std::uint32_t bgr0 = argb & 0x00FFFFFFu;
        if constexpr (std::endian::native == std::endian::big) bgr0 = __builtin_bswap32(bgr0);
        std::memcpy(out + static_cast<std::size_t>(x) * 4, &bgr0, sizeof bgr0);
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp32(const std::uint32_t* pixels, int width, int height,
                                      std::size_t strideBytes) {
    std::vector<std::uint8_t> file(Bmp32FileSize(width, height));
    EncodeBmp32Into(file, pixels, width, height, strideBytes);
    return file;
}

void EncodeBmp32Into(std::span<std::uint8_t> file, const std::uint32_t* pixels, int width,
                     int height, std::size_t strideBytes) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(height);
    std::uint8_t* header = file.data();
    std::fill_n(header, kBmpHeaderSize, std::uint8_t{0});

    header[0] = 'B';
    header[1] = 'M';
    Put32(header + 2, static_cast<std::uint32_t>(file.size()));
    Put32(header + 10, kBmpHeaderSize);
    Put32(header + 14, 40);
    Put32(header + 18, static_cast<std::uint32_t>(width));
    Put32(header + 22, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
    Put16(header + 26, 1);
    Put16(header + 28, 32);
    Put32(header + 34, static_cast<std::uint32_t>(imageBytes));
    // Compression, resolutions and colour counts stay zero.

    const auto* source = reinterpret_cast<const std::uint8_t*>(pixels);
    std::uint8_t* out = file.data() + kBmpHeaderSize;
    for (int row = height - 1; row >= 0; --row) {
        EncodeRow(source + static_cast<std::size_t>(row) * strideBytes, width, out);
        out += rowBytes;
    }
}

}  // namespace quorvel
