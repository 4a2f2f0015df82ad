// Pairs the pictures of two folders by relative path without the extension, or two picture files
// with each other.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::compare {

struct PicturePair {
    // The new picture's relative path inside its folder, '/'-separated (the approved one's when
    // there is no new one); the new file's name for files.
    std::string name;
    std::optional<std::filesystem::path> approved;  // missing: added
    std::optional<std::filesystem::path> fresh;     // missing: removed
};

struct PairListing {
    std::vector<PicturePair> pairs;    // in name order
    std::string error;                 // a folder that could not be listed
    std::vector<std::string> skipped;  // entries passed over: their path and why
};

// Every .bmp and .png file (any case) below either folder, subfolders included, except below
// `skip` (a report folder written into one of them). Pictures pair by relative path without the
// extension, so a BMP and a PNG of one screen compare by their pixels. Where one side holds
// pictures of one name with different extensions, its PNG is compared (then the first in byte
// order) and each other one is named in `skipped` with the picture compared instead. An entry that
// cannot be looked at (a link loop, a link to nothing, a subfolder that cannot be opened) or is
// neither a file nor a folder (a FIFO, a device) is named in `skipped` and the walk goes on; links
// to folders are not followed.
PairListing PairFolders(const std::filesystem::path& approved, const std::filesystem::path& fresh,
                        const std::optional<std::filesystem::path>& skip);

// A picture's name without its extension, which the pairing goes by: "sub/a" of "sub/a.png".
std::string PictureStem(const std::string& name);

bool IsPictureName(const std::filesystem::path& path);

}  // namespace quorvel::compare
