// Reading the source data file or JSON dump named on the command line, with the user-facing
// reason when it cannot be used.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "data/SourceRecord.h"

namespace quorvel::cli {

struct SourceInput {
    std::unique_ptr<SourceRecord> record;  // null when the file could not be used
    std::string error;                     // why, naming the file
};

SourceInput ReadSourceInput(const std::filesystem::path& path);

// Hex SHA-256 of the record's bytes: the file's first record::kSize bytes, which are all that
// any picture is drawn from, however long the file is.
std::string Sha256OfRecord(const SourceRecord& record);

}  // namespace quorvel::cli
