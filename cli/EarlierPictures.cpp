#include "cli/EarlierPictures.h"

#include <set>

#include "cli/VectorOutput.h"
#include "export/PictureFile.h"
#include "source/JsonInput.h"

namespace quorvel::cli {

namespace fs = std::filesystem;

namespace {

bool IsPictureName(const fs::path& name) {
    return FormatFromPath(name) || VectorFormatFromPath(name);
}

// Each folder on the way is a real folder inside `folder`: a link could lead anywhere.
bool StaysInside(const fs::path& folder, const fs::path& name) {
    if (name.empty() || name.has_root_path()) return false;
    fs::path reached = folder;
    for (auto part = name.begin(); part != name.end(); ++part) {
        if (*part == ".." || *part == "." || part->empty()) return false;
        reached /= *part;
        std::error_code error;
        const bool last = std::next(part) == name.end();
        if (!last && fs::symlink_status(reached, error).type() != fs::file_type::directory) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<std::string> ListedPictures(const fs::path& folder) {
    std::vector<std::string> listed;
    const fs::path index = folder / kBatchFiles[0];
    std::error_code error;
    if (!fs::is_regular_file(fs::symlink_status(index, error))) return listed;
    const JsonInput input = ReadJsonInput(index);
    if (!input.document || !input.document->is_object()) return listed;
    for (const char* key : {"pictures", "earlier"}) {
        const auto list = input.document->find(key);
        if (list == input.document->end() || !list->is_array()) continue;
        for (const Json& entry : *list) {
            const Json* name = entry.is_object() && entry.contains("file") ? &entry["file"] : &entry;
            if (!name->is_string()) continue;
            const std::string file = name->get<std::string>();
            if (IsPictureName(file) && StaysInside(folder, file)) listed.push_back(file);
        }
    }
    return listed;
}

std::vector<std::string> StalePictures(const fs::path& folder,
                                       const std::vector<std::string>& listed,
                                       const std::vector<PictureOutcome>& pictures) {
    std::set<std::string> current;
    for (const PictureOutcome& picture : pictures) current.insert(picture.planned.fileName);
    std::vector<std::string> stale;
    // An index edited by hand may list a name twice.
    for (const std::string& name : std::set<std::string>(listed.begin(), listed.end())) {
        std::error_code error;
        if (current.contains(name) ||
            !fs::is_regular_file(fs::symlink_status(folder / name, error))) {
            continue;
        }
        stale.push_back(name);
    }
    return stale;
}

}  // namespace quorvel::cli
