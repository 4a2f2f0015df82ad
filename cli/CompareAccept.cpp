#include "cli/CompareAccept.h"

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <ostream>

#include "export/AtomicFile.h"

namespace quorvel::cli {

namespace fs = std::filesystem;
using compare::PairResult;
using compare::Verdict;

namespace {

bool ReadBytes(const fs::path& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream file(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(file), {});
    return file.good() || file.eof();
}

bool WriteText(const fs::path& path, const std::string& text, std::ostream& err) {
    const WriteOutcome written = WriteFileAtomically(
        path, {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    if (!written.ok)
        err << "quorvel-cli: cannot write " << path.string() << ": " << written.error << "\n";
    return written.ok;
}

// Parsed index.json, or null when the folder has none; `ok` false when one is there but unusable.
nlohmann::ordered_json ReadIndex(const fs::path& path, bool& ok, std::ostream& err) {
    ok = true;
    std::error_code error;
    if (!fs::exists(path, error)) return nullptr;
    std::ifstream file(path);
    nlohmann::ordered_json index = nlohmann::ordered_json::parse(file, nullptr, false);
    if (index.is_discarded() || !index.is_object() || !index["pictures"].is_array()) {
        err << "quorvel-cli: " << path.string() << ": not a picture index\n";
        ok = false;
        return nullptr;
    }
    return index;
}

bool UpdateIndex(const fs::path& approvedRoot, const fs::path& freshRoot,
                 const std::vector<std::string>& copied, std::ostream& out, std::ostream& err) {
    bool approvedOk = true, freshOk = true;
    const nlohmann::ordered_json fresh = ReadIndex(freshRoot / "index.json", freshOk, err);
    nlohmann::ordered_json approved = ReadIndex(approvedRoot / "index.json", approvedOk, err);
    if (!approvedOk || !freshOk) return false;
    if (fresh.is_null()) return true;  // nothing to keep in step with
    if (approved.is_null()) {
        approved = fresh;
    } else {
        nlohmann::ordered_json& pictures = approved["pictures"];
        for (const nlohmann::ordered_json& entry : fresh["pictures"]) {
            if (!entry.is_object() || !entry.contains("file")) continue;
            const auto& file = entry["file"];
            if (std::find(copied.begin(), copied.end(),
                          file.is_string() ? file.get<std::string>() : "") == copied.end()) {
                continue;
            }
            auto same = std::find_if(pictures.begin(), pictures.end(), [&](const auto& old) {
                return old.is_object() && old.contains("file") && old["file"] == file;
            });
            if (same != pictures.end()) {
                *same = entry;
            } else {
                pictures.push_back(entry);
            }
        }
    }
    if (!WriteText(approvedRoot / "index.json", approved.dump(2) + "\n", err)) return false;
    out << "updated " << (approvedRoot / "index.json").string() << "\n";
    return true;
}

}  // namespace

bool AcceptNewPictures(const std::vector<PairResult>& results, const fs::path& approvedRoot,
                       const fs::path& freshRoot, bool folders, std::ostream& out,
                       std::ostream& err) {
    std::vector<std::string> copied;
    bool ok = true;
    for (const PairResult& result : results) {
        if (result.verdict != Verdict::Different && result.verdict != Verdict::SizeDiffers &&
            result.verdict != Verdict::Added) {
            continue;
        }
        const fs::path target = folders ? approvedRoot / fs::path(result.pair.name) : approvedRoot;
        std::vector<std::uint8_t> bytes;
        std::error_code error;
        if (folders) fs::create_directories(target.parent_path(), error);
        if (!ReadBytes(*result.pair.fresh, bytes)) {
            err << "quorvel-cli: cannot read " << result.pair.fresh->string() << "\n";
            ok = false;
            continue;
        }
        const WriteOutcome written = WriteFileAtomically(target, bytes);
        if (!written.ok) {
            err << "quorvel-cli: cannot write " << target.string() << ": " << written.error << "\n";
            ok = false;
            continue;
        }
        out << (result.verdict == Verdict::Added ? "added " : "replaced ") << target.string()
            << "\n";
        copied.push_back(result.pair.name);
    }
    if (folders && !copied.empty())
        ok = UpdateIndex(approvedRoot, freshRoot, copied, out, err) && ok;
    return ok;
}

}  // namespace quorvel::cli
