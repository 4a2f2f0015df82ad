#include "app/SourceReader.h"

#include <algorithm>
#include <cctype>

#include "source/JsonInput.h"
#include "source/RecordJson.h"

namespace quorvel {

bool IsJsonSource(const std::filesystem::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".json";
}

SourceRead ReadSource(const std::filesystem::path& path) {
    SourceRead read;
    if (!IsJsonSource(path)) {
        auto record = std::make_unique<SourceRecord>();
        switch (LoadSourceFile(path, *record)) {
            case LoadOutcome::Loaded:
                read.record = std::move(record);
                break;
            case LoadOutcome::CannotOpen:
                read.failure = ReadFailure::CannotOpen;
                break;
            case LoadOutcome::IncompleteRead:
                read.failure = ReadFailure::IncompleteRead;
                break;
        }
        return read;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        read.failure = ReadFailure::CannotOpen;
        return read;
    }
    const JsonInput input = ReadJsonInput(path);
    if (!input.document) {
        read.failure = ReadFailure::RefusedJson;
        read.reason = input.error;
        return read;
    }
    BuiltRecord built = BuildRecord(*input.document);
    if (!built.record) {
        read.failure = ReadFailure::RefusedJson;
        read.reason = built.error;
        return read;
    }
    read.record = std::move(built.record);
    return read;
}

}  // namespace quorvel
