// Encodes the screen image as an 8-bit RGB PNG file, tuned for speed on screen pictures, with
// the enlargement, resolution and text a figure for print carries.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

#include "export/PictureFile.h"

namespace quorvel {

// `image` must be Format_RGB32; alpha is dropped. Returns false, with `bytes` empty, when
// libpng fails. `bytes` keeps its storage between calls.
bool EncodePng(const QImage& image, const PictureExtras& extras, std::vector<std::uint8_t>& bytes);

}  // namespace quorvel
