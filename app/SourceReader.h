// Reads what the window can open, a source data file or a JSON dump, into a record in memory.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "data/SourceFile.h"
#include "data/SourceRecord.h"

namespace quorvel {

enum class ReadFailure {
    None,
    CannotOpen,      // missing, unreadable, or not a regular file
    IncompleteRead,  // a source data file shorter than a record
    RefusedJson,     // a JSON that is not valid, too large or too deep, or cannot be built
};

struct SourceRead {
    std::unique_ptr<SourceRecord> record;  // null on failure
    ReadFailure failure = ReadFailure::None;
    std::string reason;  // for RefusedJson: why, naming the member or the limit
};

// A name ending in ".json" (any case) is a dump; anything else is a source data file.
bool IsJsonSource(const std::filesystem::path& path);

// A dump is built exactly as `quorvel-cli build` builds it, under the same size and nesting
// limits, but nothing is written.
SourceRead ReadSource(const std::filesystem::path& path);

}  // namespace quorvel
