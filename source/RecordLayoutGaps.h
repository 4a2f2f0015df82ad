// Record bytes outside the magic, the presence masks and the entry slots.
#pragma once

#include <vector>

#include "data/FieldLayout.h"

namespace quorvel {

std::vector<layout::ByteRange> RecordGaps();

// True when every byte of [offset, offset + size) lies inside one of `gaps`.
bool InsideGaps(const std::vector<layout::ByteRange>& gaps, std::size_t offset, std::size_t size);

}  // namespace quorvel
