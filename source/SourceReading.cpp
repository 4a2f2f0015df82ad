#include "source/SourceReading.h"

#include <algorithm>
#include <cctype>

#include "data/SourceFile.h"
#include "source/JsonInput.h"
#include "source/RecordJson.h"

namespace quorvel {

namespace {

SourceRead Refused(ReadFailure failure, std::string reason) {
    return {nullptr, failure, std::move(reason)};
}

std::string CannotOpen(const std::filesystem::path& path) {
    return "cannot open " + path.string() + " (missing, unreadable or not a file)";
}

SourceRead ReadSourceFile(const std::filesystem::path& path) {
    auto record = std::make_unique<SourceRecord>();
    switch (LoadSourceFile(path, *record)) {
        case LoadOutcome::Loaded:
            break;
        case LoadOutcome::CannotOpen:
            return Refused(ReadFailure::CannotOpen, CannotOpen(path));
        case LoadOutcome::IncompleteRead:
            return Refused(ReadFailure::IncompleteRead,
                           "cannot read " + path.string() + ": a source data file holds " +
                               std::to_string(record::kSize) + " bytes");
    }
    return {std::move(record), ReadFailure::None, {}};
}

SourceRead ReadDump(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return Refused(ReadFailure::CannotOpen, CannotOpen(path));
    }
    const JsonInput input = ReadJsonInput(path);
    if (!input.document) return Refused(ReadFailure::RefusedJson, input.error);
    BuiltRecord built = BuildRecord(*input.document);
    if (!built.record) return Refused(ReadFailure::RefusedJson, built.error);
    return {std::move(built.record), ReadFailure::None, {}};
}

}  // namespace

bool IsJsonSource(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".json";
}

SourceRead ReadSource(const std::filesystem::path& path) {
    return IsJsonSource(path) ? ReadDump(path) : ReadSourceFile(path);
}

}  // namespace quorvel
