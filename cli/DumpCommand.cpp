// `dump`: the record as JSON on standard output.
#include <cerrno>
#include <cstring>
#include <ostream>
#include <string>

#include "cli/Commands.h"
#include "cli/RecordJson.h"
#include "cli/SourceInput.h"

namespace quorvel::cli {

int RunDump(const DumpOptions& options, std::ostream& out, std::ostream& err) {
    const SourceInput input = ReadSourceInput(options.source);
    if (!input.record) {
        err << "quorvel-cli: " << input.error << "\n";
        return kExitFailure;
    }
    errno = 0;
    out << FormatJson(DumpRecord(*input.record)) << std::flush;
    if (out) return kExitOk;
    // The stream keeps no reason; the failed write just before left it in errno.
    err << "quorvel-cli: cannot write standard output"
        << (errno != 0 ? std::string(": ") + std::strerror(errno) : std::string()) << "\n";
    return kExitFailure;
}

}  // namespace quorvel::cli
