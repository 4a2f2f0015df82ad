// Reads what a user names, a source data file or its JSON dump, into a record in memory; the
// window and the command-line tool open the same files the same way.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

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
    std::string reason;  // on failure: why, naming the file, and for JSON the member or the limit
};

// A name ending in ".json" (any case) is a dump; anything else is a source data file.
bool IsJsonSource(const std::filesystem::path& path);

// A dump is built exactly as `quorvel-cli build` builds it, under the same size and nesting
// limits, but nothing is written.
SourceRead ReadSource(const std::filesystem::path& path);

}  // namespace quorvel
