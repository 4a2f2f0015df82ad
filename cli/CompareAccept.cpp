#include "cli/CompareAccept.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <ostream>
#include <span>

#include "cli/CannotWrite.h"
#include "cli/ContactSheet.h"
#include "cli/IndexedPictures.h"
#include "cli/SourceInput.h"
#include "compare/MappedFile.h"
#include "compare/PictureDecoder.h"
#include "export/AtomicFile.h"
#include "export/TemporaryCleanup.h"

namespace quorvel::cli {

namespace fs = std::filesystem;
using compare::PairResult;
using compare::Verdict;

namespace {

// A file written under a temporary name beside the one it is to replace.
struct Staged {
    fs::path temporary, target;
    const char* verb;  // "added", "replaced" or "updated"
    // An approved picture of the same name under the other extension, removed once this is in.
    fs::path displaced;
    std::unique_ptr<RegisteredTemporary> cleanup;  // removes it if a signal ends the run
};

// Parsed index.json, or null when the folder has none; `ok` false when one is there but unusable.
Json ReadIndex(const fs::path& path, bool& ok, std::ostream& err) {
    ok = true;
    std::error_code error;
    if (!fs::exists(fs::symlink_status(path, error))) return nullptr;
    // The same bounds on size and nesting as every JSON the tool takes in: writing the merged
    // index back recurses as deep as the input nests.
    const std::optional<Json> document = ReadJsonOrFail(path, err);
    if (document && document->is_object() && document->contains("pictures") &&
        (*document)["pictures"].is_array()) {
        return *document;
    }
    if (document) err << "quorvel-cli: " << path.string() << ": not a picture index\n";
    ok = false;
    return nullptr;
}

std::optional<std::string> FileOf(const Json& entry) {
    if (!entry.is_object() || !entry.contains("file") || !entry["file"].is_string())
        return std::nullopt;
    return entry["file"].get<std::string>();
}

// The array under `key` of an object, or null when there is none.
const Json* ArrayIn(const Json& object, const char* key) {
    if (!object.is_object()) return nullptr;
    const auto found = object.find(key);
    return found != object.end() && found->is_array() ? &*found : nullptr;
}

// The fit report's mentions of the copied pictures come from the new index: an approved text
// keeps the pictures that stay, and a new text joins the one it equals or is added.
void MergeFit(Json& approved, const Json& fresh, const std::vector<std::string>& copied) {
    const auto textsOf = [](const Json& index) -> const Json* {
        return index.is_object() && index.contains("fit") ? ArrayIn(index["fit"], "texts")
                                                          : nullptr;
    };
    const Json* freshTexts = textsOf(fresh);
    if (!textsOf(approved)) {
        if (!freshTexts) return;
        approved["fit"] = {{"scale", fresh["fit"].value("scale", Json(1))},
                           {"texts", Json::array()}};
    }
    const auto isCopied = [&copied](const Json& file) {
        if (!file.is_string()) return false;
        const std::string stem = compare::PictureStem(file.get<std::string>());
        return std::ranges::any_of(
            copied, [&stem](const std::string& name) { return compare::PictureStem(name) == stem; });
    };
    Json& kept = approved["fit"]["texts"];
    for (Json& text : kept) {
        if (!ArrayIn(text, "pictures")) continue;
        Json& pictures = text["pictures"];
        pictures.erase(std::remove_if(pictures.begin(), pictures.end(), isCopied), pictures.end());
    }
    kept.erase(std::remove_if(kept.begin(), kept.end(),
                              [](const Json& text) {
                                  const Json* pictures = ArrayIn(text, "pictures");
                                  return pictures && pictures->empty();
                              }),
               kept.end());
    if (!freshTexts) return;
    // Field by field: the index keeps its keys in the order written, so whole objects written
    // by other programs would compare unequal for their order alone.
    const auto samePlace = [](const Json& a, const Json& b) {
        for (const char* key : {"id", "language", "text", "shown", "fontSize"}) {
            if (a.value(key, Json()) != b.value(key, Json())) return false;
        }
        const Json aBox = a.value("box", Json::object()), bBox = b.value("box", Json::object());
        if (!aBox.is_object() || !bBox.is_object()) return false;
        return aBox.value("width", Json()) == bBox.value("width", Json()) &&
               aBox.value("height", Json()) == bBox.value("height", Json());
    };
    for (const Json& text : *freshTexts) {
        const Json* pictures = ArrayIn(text, "pictures");
        if (!pictures) continue;
        Json mentioned = Json::array();
        for (const Json& file : *pictures) {
            if (isCopied(file)) mentioned.push_back(file);
        }
        if (mentioned.empty()) continue;
        const auto same = std::ranges::find_if(
            kept, [&](const Json& k) { return ArrayIn(k, "pictures") && samePlace(k, text); });
        if (same != kept.end()) {
            for (const Json& file : mentioned) (*same)["pictures"].push_back(file);
        } else {
            Json added = text;
            added["pictures"] = std::move(mentioned);
            kept.push_back(std::move(added));
        }
    }
}

// The approved index with each copied picture's entry from the new index in place of the entry
// of the picture it replaced, which may have had the other extension; without a new entry, that
// one stays under the new name. A "failed" entry of a copied picture goes: it is there now.
// Null when the approved folder has no index, as no batch wrote the folder.
Json MergedIndex(Json approved, const Json& fresh, const std::vector<std::string>& copied) {
    if (approved.is_null()) return approved;
    Json& pictures = approved["pictures"];
    static const Json kNoEntries = Json::array();
    const Json& freshEntries = fresh.is_null() ? kNoEntries : fresh.at("pictures");
    for (const std::string& name : copied) {
        const auto sameStem = [stem = compare::PictureStem(name)](const Json& entry) {
            const std::optional<std::string> file = FileOf(entry);
            return file && compare::PictureStem(*file) == stem;
        };
        const Json* fresher = nullptr;
        for (const Json& entry : freshEntries) {
            if (FileOf(entry) == name) fresher = &entry;
        }
        const auto old = std::ranges::find_if(pictures, sameStem);
        if (fresher && old != pictures.end()) {
            *old = *fresher;
        } else if (fresher) {
            pictures.push_back(*fresher);
        } else if (old != pictures.end()) {
            (*old)["file"] = name;
        }
        if (approved.contains("failed") && approved["failed"].is_array()) {
            Json& failed = approved["failed"];
            failed.erase(std::remove_if(failed.begin(), failed.end(), sameStem), failed.end());
        }
    }
    MergeFit(approved, fresh, copied);
    return approved;
}

// Writes `bytes` beside `target` under a name of its own; false (with the reason shown) when not.
bool Stage(const fs::path& target, std::span<const std::uint8_t> bytes, const char* verb,
           std::vector<Staged>& staged, std::ostream& err, const fs::path& displaced = {}) {
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    const fs::path temporary =
        target.parent_path() / (".quorvel-accept-" + std::to_string(staged.size()));
    fs::remove(temporary, error);  // a leftover of a killed run, or a link that would be followed
    auto cleanup = std::make_unique<RegisteredTemporary>(temporary);
    const WriteOutcome written = WriteFileAtomically(temporary, bytes);
    if (!written.ok) {
        ReportCannotWrite(err, target, written.error);
        return false;
    }
    staged.push_back({temporary, target, verb, displaced, std::move(cleanup)});
    return true;
}

bool StageText(const fs::path& target, std::string_view text, std::vector<Staged>& staged,
               std::ostream& err) {
    return Stage(target, BytesOf(text), "updated", staged, err);
}

// Why the new picture of `result` may not be approved: it cannot be read, or does not decode
// as a picture within the size limits. The file's type and size are checked before it is read.
std::string Unreadable(const compare::MappedFile& file, const PairResult& result) {
    if (!file.Ok()) return file.Error();
    const compare::DecodeOutcome decoded = compare::DecodePicture(file.Bytes(), false);
    return decoded.ok() ? std::string() : result.pair.fresh->string() + ": " + decoded.error;
}

void RemoveStaged(std::span<const Staged> staged) {
    for (const Staged& file : staged) {
        std::error_code error;
        fs::remove(file.temporary, error);
    }
}

// Renames every staged file over its target in order, naming each as it is done; on a failure
// the rest are removed, so what was replaced is exactly what was named.
bool PlaceStaged(std::span<const Staged> staged, std::ostream& out, std::ostream& err) {
    for (std::size_t i = 0; i < staged.size(); ++i) {
        const Staged& file = staged[i];
        std::error_code error;
        fs::rename(file.temporary, file.target, error);
        if (!error && !file.displaced.empty()) {
            fs::remove(file.displaced, error);
            if (error) {
                err << "quorvel-cli: cannot remove " << file.displaced.string() << ": "
                    << error.message() << "; " << file.target.string() << " is in its place\n";
                RemoveStaged(staged.subspan(i + 1));
                return false;
            }
            out << file.verb << " " << file.displaced.string() << " with " << file.target.string()
                << "\n";
            continue;
        }
        if (error) {
            ReportCannotWrite(err, file.target,
                              error.message() + "; only the files named above were accepted");
            RemoveStaged(staged.subspan(i));
            return false;
        }
        out << file.verb << " " << file.target.string() << "\n";
    }
    return true;
}

}  // namespace

bool AcceptNewPictures(const std::vector<PairResult>& results, const fs::path& approvedRoot,
                       const fs::path& freshRoot, bool folders, std::ostream& out,
                       std::ostream& err) {
    bool approvedOk = true, freshOk = true;
    Json approvedIndex, freshIndex;
    if (folders) {
        freshIndex = ReadIndex(freshRoot / kBatchFiles[0], freshOk, err);
        approvedIndex = ReadIndex(approvedRoot / kBatchFiles[0], approvedOk, err);
    }
    if (!approvedOk || !freshOk) {
        err << "quorvel-cli: nothing accepted\n";
        return false;
    }
    // Everything is written under temporary names first, so a failure up to the renames leaves
    // the approved side as it was.
    std::vector<Staged> staged;
    std::vector<std::string> copied;
    bool ok = true, written = true;
    for (const PairResult& result : results) {
        if (result.verdict != Verdict::Different && result.verdict != Verdict::SizeDiffers &&
            result.verdict != Verdict::Added) {
            continue;
        }
        const compare::MappedFile file(*result.pair.fresh);
        if (const std::string why = Unreadable(file, result); !why.empty()) {
            err << "quorvel-cli: not accepted: " << why << "\n";
            ok = false;
            continue;
        }
        const fs::path target = folders ? approvedRoot / fs::path(result.pair.name) : approvedRoot;
        const char* verb = result.verdict == Verdict::Added ? "added" : "replaced";
        // A new PNG takes the place of an approved BMP of the same name, or the other way round.
        const bool renamed = folders && result.pair.approved && *result.pair.approved != target;
        written = Stage(target, file.Bytes(), verb, staged, err,
                        renamed ? *result.pair.approved : fs::path());
        if (!written) break;
        copied.push_back(result.pair.name);
    }
    const Json index = MergedIndex(std::move(approvedIndex), freshIndex, copied);
    if (written && !copied.empty() && !index.is_null()) {
        // Names that are no UTF-8 are written with U+FFFD, as `render --all` writes them.
        written = StageText(approvedRoot / kBatchFiles[0],
                            index.dump(2, ' ', false, Json::error_handler_t::replace) + "\n",
                            staged, err) &&
                  StageText(approvedRoot / kBatchFiles[1], ContactSheetHtml(IndexedPictures(index), IndexedScale(index)),
                            staged, err);
    }
    if (!written) {
        RemoveStaged(staged);
        err << "quorvel-cli: nothing accepted\n";
        return false;
    }
    return PlaceStaged(staged, out, err) && ok;
}

}  // namespace quorvel::cli
