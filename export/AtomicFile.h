// Replaces a file's contents all at once: either the whole new file is there, or the old one is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace quorvel {

struct WriteOutcome {
    bool ok = false;
    std::string error;  // the system's reason when !ok
};

// Writes `bytes` to a temporary file in the target's folder, flushes it to disk and renames it
// over `target`. On any failure the temporary file is removed and `target` is left untouched.
// A target that exists but is not a regular file (a folder, device or pipe) is refused; a
// symbolic link is followed.
WriteOutcome WriteFileAtomically(const std::filesystem::path& target,
                                 std::span<const std::uint8_t> bytes);

}  // namespace quorvel
