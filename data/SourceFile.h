// Loading a source data file into a record without ever damaging the record already loaded.
#pragma once

#include <filesystem>

#include "data/SourceRecord.h"

namespace quorvel {

enum class LoadOutcome {
    Loaded,          // the record now holds the file's first 156,836 bytes
    CannotOpen,      // missing, unreadable, or not a regular file: "Open false! "
    IncompleteRead,  // shorter than a record or a read error: "Read file error!"
};

// On any outcome but Loaded, `record` is left exactly as it was.
LoadOutcome LoadSourceFile(const std::filesystem::path& path, SourceRecord& record);

}  // namespace quorvel
