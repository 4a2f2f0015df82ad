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

// The same file handed out a block of rows at a time from `buffer`, for writing as it is
// encoded: each block is written while it is still in the processor's cache, and a whole
// screen's file is never held in memory. The pixels and the buffer must outlive the object.
class Bmp32Blocks {
  public:
    // Rows per block: about 240 KB of a 1280-pixel screen, well inside a core's cache.
    static constexpr int kRowsPerBlock = 48;

    Bmp32Blocks(const std::uint32_t* pixels, int width, int height, std::size_t strideBytes,
                std::vector<std::uint8_t>& buffer);

    // The next bytes of the file (the header comes with the first rows); empty once the whole
    // file has been handed out. Valid until the next call.
    std::span<const std::uint8_t> Next();

  private:
    const std::uint8_t* m_pixels;
    int m_width;
    int m_height;
    std::size_t m_strideBytes;
    std::vector<std::uint8_t>& m_buffer;
    int m_rowsDone = 0;  // in file order, bottom row first
    bool m_headerDone = false;
};

}  // namespace quorvel
