#include "cli/CompareReportFolder.h"

#include "source/JsonInput.h"

namespace quorvel::cli {

namespace fs = std::filesystem;

namespace {

constexpr const char* kReportFiles[] = {"report.json", "index.html"};
constexpr const char* kPictureFolders[] = {"approved", "new", "difference"};

bool Within(const fs::path& inner, const fs::path& outer) {
    const fs::path relative = inner.lexically_relative(outer);
    return !relative.empty() && *relative.begin() != "..";
}

// A picture path as a report writes it: below one of its picture folders (so never absolute),
// never up. report.json may have been edited by anyone.
bool IsReportPicture(const std::string& text) {
    const fs::path path = fs::path(text).lexically_normal();
    if (std::distance(path.begin(), path.end()) < 2 ||
        std::ranges::find(path, fs::path("..")) != path.end()) {
        return false;
    }
    return std::ranges::find(kPictureFolders, path.begin()->string()) != std::end(kPictureFolders);
}

// The files an earlier report wrote, from its report.json; nullopt when the folder holds none.
std::optional<std::set<fs::path>> EarlierReport(const fs::path& report) {
    const JsonInput input = ReadJsonInput(report / "report.json");
    const std::optional<Json>& json = input.document;
    if (!json || !json->is_object() || !json->contains("settings") || !json->contains("summary") ||
        !json->contains("pairs") || !(*json)["pairs"].is_array()) {
        return std::nullopt;
    }
    std::set<fs::path> files(std::begin(kReportFiles), std::end(kReportFiles));
    for (const Json& pair : (*json)["pairs"]) {
        if (!pair.is_object() || !pair.contains("pictures") || !pair["pictures"].is_object())
            continue;
        for (const auto& [role, picture] : pair["pictures"].items()) {
            if (picture.is_string() && IsReportPicture(picture.get<std::string>()))
                files.insert(fs::path(picture.get<std::string>()).lexically_normal());
        }
    }
    return files;
}

}  // namespace

ReportFolder CheckReportFolder(const fs::path& report, const fs::path& approved,
                               const fs::path& fresh) {
    ReportFolder folder;
    std::error_code error;
    if (std::optional<std::set<fs::path>> earlier = EarlierReport(report)) {
        folder.earlierFiles = std::move(*earlier);
        return folder;
    }
    const fs::path target = fs::weakly_canonical(fs::absolute(report, error), error);
    for (const fs::path& side : {approved, fresh}) {
        const fs::path compared = fs::weakly_canonical(fs::absolute(side, error), error);
        if (!Within(target, compared) && !Within(compared, target)) continue;
        if (!fs::exists(report, error) ||
            (fs::is_directory(report, error) && fs::is_empty(report, error)))
            return folder;
        folder.refusal = "-o " + report.string() + ": the report would be written over " +
                         side.string() + "; choose a folder that neither holds nor lies inside " +
                         "the compared pictures, an empty one, or an earlier report's";
        return folder;
    }
    return folder;
}

void RemoveEarlierFiles(const fs::path& report, const ReportFolder& folder,
                        const std::vector<compare::PairResult>& results) {
    std::set<fs::path> written(std::begin(kReportFiles), std::end(kReportFiles));
    for (const compare::PairResult& result : results) {
        for (const std::string* picture :
             {&result.approvedPicture, &result.newPicture, &result.differencePicture}) {
            if (!picture->empty()) written.insert(fs::path(*picture).lexically_normal());
        }
    }
    std::error_code error;
    const fs::path root = fs::weakly_canonical(report, error);
    for (const fs::path& earlier : folder.earlierFiles) {
        // A linked subfolder could lead out of the report: only its own files are removed.
        const fs::path where = fs::weakly_canonical(report / earlier.parent_path(), error);
        const fs::file_status status = fs::symlink_status(report / earlier, error);
        if (written.contains(earlier) || !Within(where, root) ||
            (!fs::is_regular_file(status) && !fs::is_symlink(status))) {
            continue;
        }
        fs::remove(report / earlier, error);
        // Subfolders the removed pictures leave empty go too; a folder with anything else stays.
        for (fs::path parent = earlier.parent_path();
             !parent.empty() && !error &&
             fs::is_directory(fs::symlink_status(report / parent, error));
             parent = parent.parent_path()) {
            fs::remove(report / parent, error);
        }
    }
}

}  // namespace quorvel::cli
