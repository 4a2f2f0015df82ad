// `dump`: the record as JSON on standard output.
#include <ostream>
#include <string>

#include "cli/Commands.h"
#include "cli/SourceInput.h"
#include "source/RecordJson.h"

namespace quorvel::cli {

int RunDump(const DumpOptions& options, std::ostream& out, std::ostream& err) {
    const SourceInput input = ReadSourceInput(options.source);
    if (!input.record) {
        err << "quorvel-cli: " << input.error << "\n";
        return kExitFailure;
    }
    out << FormatJson(DumpRecord(*input.record));
    return kExitOk;
}

}  // namespace quorvel::cli
