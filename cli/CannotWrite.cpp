#include "cli/CannotWrite.h"

#include <ostream>

#include "cli/Commands.h"

namespace quorvel::cli {

int ReportCannotWrite(std::ostream& err, const std::filesystem::path& path, std::string_view why) {
    err << "quorvel-cli: " << CannotWrite(path, why) << "\n";
    return kExitFailure;
}

int ExitStatusOf(const WriteOutcome& written, const std::filesystem::path& path,
                 std::ostream& err) {
    return written.ok ? kExitOk : ReportCannotWrite(err, path, written.error);
}

}  // namespace quorvel::cli
