// The screen icons' BMP files, built into the program from res/icons at build time.
#pragma once

#include <cstdint>
#include <span>

namespace quorvel {

// Empty for an id that has no icon.
std::span<const std::uint8_t> EmbeddedIconBytes(int id);

}  // namespace quorvel
