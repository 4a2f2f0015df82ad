// Reading the source data file or JSON document named on the command line; when it cannot be
// used, the reason is said once here, naming the file, and the command ends with kExitFailure.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

#include "data/SourceRecord.h"
#include "source/FieldJson.h"

namespace quorvel::cli {

// The file's record, or null once the reason is on `err`.
std::unique_ptr<SourceRecord> ReadSourceOrFail(const std::filesystem::path& path,
                                               std::ostream& err);

// The parsed document ("-" for standard input), or nothing once the reason is on `err`.
std::optional<Json> ReadJsonOrFail(const std::filesystem::path& path, std::ostream& err);

// Hex SHA-256 of the record's bytes: the file's first record::kSize bytes, which are all that
// any picture is drawn from, however long the file is.
std::string Sha256OfRecord(const SourceRecord& record);

}  // namespace quorvel::cli
