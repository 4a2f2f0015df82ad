// Digests of every picture `render --all` draws of a source record: the golden table that shows
// in review which pictures a change of the drawing code altered.
#pragma once

#include <string>

#include "data/SourceRecord.h"

namespace quorvel::golden {

// One line per picture, in plan order: the SHA-256 of its pixels (rows of 32-bit 0xAARRGGBB words,
// top row first), two spaces and the picture's file name, as `sha256sum` prints them.
std::string PictureTable(const SourceRecord& record);

}  // namespace quorvel::golden
