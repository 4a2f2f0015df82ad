#include "export/BmpEncoder.h"

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

}  // namespace

std::vector<std::uint8_t> EncodeBmp32(const std::uint32_t* pixels, int width, int height,
                                      std::size_t strideBytes) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> file(kBmpHeaderSize + imageBytes);
    std::uint8_t* header = file.data();

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
        const auto* line = source + static_cast<std::size_t>(row) * strideBytes;
        for (int x = 0; x < width; ++x) {
            std::uint32_t argb;
            std::memcpy(&argb, line + static_cast<std::size_t>(x) * 4, sizeof argb);
            out[0] = static_cast<std::uint8_t>(argb);
            out[1] = static_cast<std::uint8_t>(argb >> 8);
            out[2] = static_cast<std::uint8_t>(argb >> 16);
            out[3] = 0;
            out += 4;
        }
    }
    return file;
}

}  // namespace quorvel
