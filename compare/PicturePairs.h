// Pairs the pictures of two folders by relative path, or two picture files with each other.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::compare {

struct PicturePair {
    std::string name;  // relative path inside the folders, '/'-separated; the file name for files
    std::optional<std::filesystem::path> approved;  // missing: added
    std::optional<std::filesystem::path> fresh;     // missing: removed
};

struct PairListing {
    std::vector<PicturePair> pairs;    // in name order
    std::string error;                 // a folder that could not be listed
    std::vector<std::string> skipped;  // entries passed over: their path and why
};

// Every .bmp and .png file (any case) below either folder, subfolders included, except below
// `skip` (a report folder written into one of them). An entry that cannot be looked at (a link
// loop, a link to nothing, a subfolder that cannot be opened) or is neither a file nor a folder
// (a FIFO, a device) is named in `skipped` and the walk goes on; links to folders are not
// followed.
PairListing PairFolders(const std::filesystem::path& approved, const std::filesystem::path& fresh,
                        const std::optional<std::filesystem::path>& skip);

bool IsPictureName(const std::filesystem::path& path);

}  // namespace quorvel::compare
