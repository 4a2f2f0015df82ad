// Encodes the screen image as an 8-bit RGB PNG file, tuned for speed on screen pictures, with
// the enlargement, resolution and text a figure for print carries.
#pragma once

#include <QImage>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::cli {

// What a picture file holds besides the screen's pixels.
struct PictureExtras {
    int scale = 1;  // each screen pixel becomes scale by scale pixels
    int dpi = 0;    // PNG only: the resolution recorded in the file; 0 records none
    std::vector<std::pair<std::string, std::string>> texts;  // PNG only: key, UTF-8 value
};

// `image` must be Format_RGB32; alpha is dropped. Returns false, with `bytes` empty, when
// libpng fails. `bytes` keeps its storage between calls.
bool EncodePng(const QImage& image, const PictureExtras& extras, std::vector<std::uint8_t>& bytes);

}  // namespace quorvel::cli
