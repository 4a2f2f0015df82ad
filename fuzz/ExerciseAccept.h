// The accept path of `compare` on an index.json and a picture from anywhere, checked for what
// it may approve and what it must leave alone.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace quorvel {

struct AcceptReport {
    int status = -1;
    bool replaced = false;  // the approved a.bmp now holds the new picture
    std::string fault;      // empty when everything the accept did was allowed
};

// Splits `bytes` at the first zero byte into the new folder's index.json and a picture, which
// the new folder holds twice: as a.bmp, differing from the approved 1 by 1 a.bmp, and as an
// added b.png. Runs `compare APPROVED NEW --accept` in `work` (emptied first) and checks that a
// picture is approved only if it decodes, an index that cannot be read replaces nothing, the
// approved index stays readable and no temporary file is left behind.
AcceptReport ExerciseAccept(std::span<const std::uint8_t> bytes, const std::filesystem::path& work);

}  // namespace quorvel
