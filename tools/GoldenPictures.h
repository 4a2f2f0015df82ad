// Digests of every picture `render --all` draws of a source record: the golden table that shows
// in review which pictures a change of the drawing code altered.
#pragma once

#include <string>

#include <QImage>

#include "data/SourceRecord.h"

namespace quorvel::golden {

// SHA-256 of a screen image's pixels: rows of 32-bit 0xAARRGGBB words, top row first.
std::string PixelDigest(const QImage& screen);

// One line per picture, in plan order: the PixelDigest of its screen, two spaces and the
// picture's file name (as a BMP), as `sha256sum` prints them.
std::string PictureTable(const SourceRecord& record);

}  // namespace quorvel::golden
