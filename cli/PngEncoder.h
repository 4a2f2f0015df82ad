// Encodes the screen image as an 8-bit RGB PNG file, tuned for speed on screen pictures.
#pragma once

#include <QImage>
#include <cstdint>
#include <vector>

namespace quorvel::cli {

// `image` must be Format_RGB32; alpha is dropped. Returns false, with `bytes` empty, when
// libpng fails. `bytes` keeps its storage between calls.
bool EncodePng(const QImage& image, std::vector<std::uint8_t>& bytes);

}  // namespace quorvel::cli
