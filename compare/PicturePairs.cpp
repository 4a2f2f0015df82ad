#include "compare/PicturePairs.h"

#include <algorithm>
#include <map>

namespace quorvel::compare {

namespace fs = std::filesystem;

namespace {

// Relative names of the pictures below `folder`, or an error.
std::string ListPictures(const fs::path& folder, const std::optional<fs::path>& skip,
                         std::vector<std::string>& names) {
    std::error_code error;
    const fs::path skipped = skip ? fs::weakly_canonical(*skip, error) : fs::path();
    fs::recursive_directory_iterator it(folder, error), end;
    for (; !error && it != end; it.increment(error)) {
        if (!skipped.empty() && it->is_directory() &&
            fs::weakly_canonical(it->path(), error) == skipped) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file() && IsPictureName(it->path())) {
            names.push_back(it->path().lexically_relative(folder).generic_string());
        }
    }
    return error ? "cannot list " + folder.string() + ": " + error.message() : std::string();
}

}  // namespace

bool IsPictureName(const fs::path& path) {
    std::string extension = path.extension().string();
    std::ranges::transform(extension, extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".bmp" || extension == ".png";
}

PairListing PairFolders(const fs::path& approved, const fs::path& fresh,
                        const std::optional<fs::path>& skip) {
    PairListing listing;
    std::vector<std::string> approvedNames, freshNames;
    listing.error = ListPictures(approved, skip, approvedNames);
    if (listing.error.empty()) listing.error = ListPictures(fresh, skip, freshNames);
    if (!listing.error.empty()) return listing;

    std::map<std::string, PicturePair> byName;
    for (const std::string& name : approvedNames) {
        byName[name].approved = approved / fs::path(name);
    }
    for (const std::string& name : freshNames) byName[name].fresh = fresh / fs::path(name);
    for (auto& [name, pair] : byName) {
        pair.name = name;
        listing.pairs.push_back(std::move(pair));
    }
    return listing;
}

}  // namespace quorvel::compare
