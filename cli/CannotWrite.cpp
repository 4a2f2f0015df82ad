#include "cli/CannotWrite.h"

#include <ostream>

#include "cli/Commands.h"
#include "export/AtomicFile.h"

namespace quorvel::cli {

int ReportCannotWrite(std::ostream& err, const std::filesystem::path& path, std::string_view why) {
    err << "quorvel-cli: " << CannotWrite(path, why) << "\n";
    return kExitFailure;
}

}  // namespace quorvel::cli
