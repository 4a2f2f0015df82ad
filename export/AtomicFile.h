// Replaces a file's contents all at once: either the whole new file is there, or the old one is.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

namespace quorvel {

struct WriteOutcome {
    bool ok = false;
    std::string error;  // the system's reason when !ok
};

// Writes `bytes` to a temporary file in the target's folder and renames it over `target` once
// every byte is written. On any failure the temporary file is removed and `target` is left
// untouched. A target that exists but is not a regular file (a folder, device or pipe) is
// refused; a symbolic link is followed.
// A file that replaces one with contents reaches the disk before the rename, so even a power cut
// leaves the old file or the new one. A new file is not forced out: a power cut can only lose
// that file, never anything that was there before.
WriteOutcome WriteFileAtomically(const std::filesystem::path& target,
                                 std::span<const std::uint8_t> bytes);

// The file's bytes in order, a piece per call; an empty piece ends the file. A piece stays valid
// until the next call.
using NextBytes = std::function<std::span<const std::uint8_t>()>;

// The same for a file produced piece by piece, so it can be written as it is made.
WriteOutcome WriteFileAtomically(const std::filesystem::path& target, const NextBytes& next);

}  // namespace quorvel
