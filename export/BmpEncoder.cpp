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

std::size_t RowBytes(int width) {
    return static_cast<std::size_t>(width) * 4;
}

void WriteHeader(std::uint8_t* header, int width, int height) {
    std::fill_n(header, kBmpHeaderSize, std::uint8_t{0});
    header[0] = 'B';
    header[1] = 'M';
    Put32(header + 2, static_cast<std::uint32_t>(Bmp32FileSize(width, height)));
    Put32(header + 10, kBmpHeaderSize);
    Put32(header + 14, 40);
    Put32(header + 18, static_cast<std::uint32_t>(width));
    Put32(header + 22, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
    Put16(header + 26, 1);
    Put16(header + 28, 32);
    Put32(header + 34,
          static_cast<std::uint32_t>(RowBytes(width) * static_cast<std::size_t>(height)));
    // Compression, resolutions and colour counts stay zero.
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

// File rows [first, first + count), bottom row first, into `out`.
void EncodeRows(const std::uint8_t* pixels, int width, int height, std::size_t strideBytes,
                int first, int count, std::uint8_t* out) {
    for (int row = first; row < first + count; ++row) {
        EncodeRow(pixels + static_cast<std::size_t>(height - 1 - row) * strideBytes, width, out);
        out += RowBytes(width);
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp32(const std::uint32_t* pixels, int width, int height,
                                      std::size_t strideBytes) {
    std::vector<std::uint8_t> file(Bmp32FileSize(width, height));
    WriteHeader(file.data(), width, height);
    EncodeRows(reinterpret_cast<const std::uint8_t*>(pixels), width, height, strideBytes, 0, height,
               file.data() + kBmpHeaderSize);
    return file;
}

Bmp32Blocks::Bmp32Blocks(const std::uint32_t* pixels, int width, int height,
                         std::size_t strideBytes, std::vector<std::uint8_t>& buffer)
    : m_pixels(reinterpret_cast<const std::uint8_t*>(pixels)),
      m_width(width),
      m_height(height),
      m_strideBytes(strideBytes),
      m_buffer(buffer) {
    m_buffer.resize(kBmpHeaderSize + RowBytes(width) * kRowsPerBlock);
}

std::span<const std::uint8_t> Bmp32Blocks::Next() {
    std::size_t used = 0;
    if (!m_headerDone) {
        WriteHeader(m_buffer.data(), m_width, m_height);
        m_headerDone = true;
        used = kBmpHeaderSize;
    }
    const int rows = std::min(kRowsPerBlock, m_height - m_rowsDone);
    EncodeRows(m_pixels, m_width, m_height, m_strideBytes, m_rowsDone, rows,
               m_buffer.data() + used);
    m_rowsDone += rows;
    used += RowBytes(m_width) * static_cast<std::size_t>(rows);
    return {m_buffer.data(), used};
}

}  // namespace quorvel
