#include "compare/PicturePairs.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace quorvel::compare {

namespace fs = std::filesystem;

namespace {

struct FolderWalk {
    const fs::path& root;
    fs::path skipped;  // canonical; empty when nothing is skipped
    std::vector<std::string>& names;
    std::vector<std::string>& passedOver;

    void PassOver(const fs::path& path, const std::string& why) {
        passedOver.push_back(path.string() + ": " + why);
    }

    // Only the error_code overloads: one bad entry must not end the whole walk.
    void List(const fs::path& folder) {
        std::error_code error;
        fs::directory_iterator it(folder, error), end;
        for (; !error && it != end; it.increment(error)) {
            const fs::path& path = it->path();
            std::error_code entryError;
            const fs::file_status own = it->symlink_status(entryError);
            if (!entryError && fs::is_directory(own)) {
                if (skipped.empty() || fs::weakly_canonical(path, entryError) != skipped)
                    List(path);
                continue;
            }
            const fs::file_status target = it->status(entryError);
            if (target.type() == fs::file_type::not_found) {
                PassOver(path, "a link to nothing");
            } else if (entryError) {
                PassOver(path, entryError.message());
            } else if (fs::is_regular_file(target)) {
                if (IsPictureName(path))
                    names.push_back(path.lexically_relative(root).generic_string());
            } else if (!fs::is_directory(target)) {
                PassOver(path, "neither a file nor a folder");
            }
        }
        if (error) PassOver(folder, "cannot list the folder: " + error.message());
    }
};

// Relative names of the pictures below `folder`, or an error when it cannot be listed at all.
std::string ListPictures(const fs::path& folder, const std::optional<fs::path>& skip,
                         std::vector<std::string>& names, std::vector<std::string>& skipped) {
    std::error_code error;
    fs::directory_iterator check(folder, error);
    if (error) return "cannot list " + folder.string() + ": " + error.message();
    FolderWalk walk{folder, skip ? fs::weakly_canonical(*skip, error) : fs::path(), names, skipped};
    walk.List(folder);
    return {};
}

std::string LowerExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    std::ranges::transform(extension, extension.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

// One picture of each pairing name on a side, by name; the others are passed over, each naming
// the one compared instead. A PNG wins over a BMP, as it carries the notes that name its screen;
// then the first name in byte order, so the choice never depends on the walk's order.
std::map<std::string, std::string> OnePerName(const fs::path& root, std::vector<std::string> names,
                                              std::vector<std::string>& skipped) {
    const auto rank = [](const std::string& name) {
        return std::tuple(PictureStem(name), LowerExtension(name) != ".png", name);
    };
    std::ranges::sort(names, {}, rank);
    std::map<std::string, std::string> chosen;
    for (const std::string& name : names) {
        const auto [kept, added] = chosen.try_emplace(PictureStem(name), name);
        if (!added) {
            skipped.push_back((root / fs::path(name)).string() + ": " +
                              (root / fs::path(kept->second)).string() +
                              " has the same name and is compared instead");
        }
    }
    return chosen;
}

}  // namespace

std::string PictureStem(const std::string& name) {
    return fs::path(name).replace_extension().generic_string();
}

bool IsPictureName(const fs::path& path) {
    const std::string extension = LowerExtension(path);
    return extension == ".bmp" || extension == ".png";
}

PairListing PairFolders(const fs::path& approved, const fs::path& fresh,
                        const std::optional<fs::path>& skip) {
    PairListing listing;
    std::vector<std::string> approvedNames, freshNames;
    listing.error = ListPictures(approved, skip, approvedNames, listing.skipped);
    if (listing.error.empty())
        listing.error = ListPictures(fresh, skip, freshNames, listing.skipped);
    if (!listing.error.empty()) return listing;

    std::map<std::string, PicturePair> byName;
    for (const auto& [key, name] : OnePerName(approved, approvedNames, listing.skipped)) {
        byName[key].approved = approved / fs::path(name);
        byName[key].name = name;
    }
    for (const auto& [key, name] : OnePerName(fresh, freshNames, listing.skipped)) {
        byName[key].fresh = fresh / fs::path(name);
        byName[key].name = name;
    }
    std::ranges::sort(listing.skipped);  // the walk's order is the file system's
    for (auto& [key, pair] : byName) listing.pairs.push_back(std::move(pair));
    std::ranges::sort(listing.pairs, {}, &PicturePair::name);
    return listing;
}

}  // namespace quorvel::compare
