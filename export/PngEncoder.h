// Encodes 32-bit pixels as an 8-bit RGB PNG file, tuned for speed on screen pictures, with the
// enlargement, resolution and text a figure for print carries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "export/PictureExtras.h"

namespace quorvel {

// Rows of pixels 0x??RRGGBB (the top byte is not read), `stride` pixels from one row to the next.
struct PixelRows {
    const std::uint32_t* first = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
};

// Returns false, with `bytes` empty, when libpng fails. `bytes` keeps its storage between calls.
bool EncodePng(PixelRows rows, const PictureExtras& extras, std::vector<std::uint8_t>& bytes);

}  // namespace quorvel
