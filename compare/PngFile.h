// Writes a decoded picture as a PNG file, for the pictures a comparison's report shows.
#pragma once

#include <filesystem>

#include "compare/Picture.h"
#include "export/AtomicFile.h"

namespace quorvel::compare {

// 8-bit RGB without notes, all or nothing as WriteFileAtomically writes.
WriteOutcome WritePngFile(const std::filesystem::path& target, const Picture& picture);

}  // namespace quorvel::compare
