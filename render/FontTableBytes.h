// The font table file's bytes, built into the program from res/font at build time.
#pragma once

#include <cstdint>
#include <span>

namespace quorvel {

std::span<const std::uint8_t> EmbeddedFontTableBytes();

}  // namespace quorvel
