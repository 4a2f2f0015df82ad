// The one message of a command that could not write an output, and the status it then ends with.
#pragma once

#include <filesystem>
#include <iosfwd>
#include <string_view>

#include "export/AtomicFile.h"

namespace quorvel::cli {

// Says on `err` that `path` could not be written and why; returns kExitFailure.
int ReportCannotWrite(std::ostream& err, const std::filesystem::path& path, std::string_view why);

// The status a command ends with once it wrote `path`, the failure said as above.
int ExitStatusOf(const WriteOutcome& written, const std::filesystem::path& path, std::ostream& err);

}  // namespace quorvel::cli
