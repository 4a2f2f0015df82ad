// Saves a 32-bit screen image as a BMP file, all or nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

#include "export/AtomicFile.h"

namespace quorvel {

// The file EncodeBmp32 makes, written through WriteFileAtomically, with the same guarantees. It is
// encoded a few rows at a time as it is written, into a buffer each thread keeps, which saves a
// pass over a whole file's worth of memory per picture.
WriteOutcome WriteBmp32File(const std::filesystem::path& target, const std::uint32_t* pixels,
                            int width, int height, std::size_t strideBytes);

}  // namespace quorvel
