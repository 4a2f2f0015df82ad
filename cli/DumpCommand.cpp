// `dump`: the record as JSON on standard output.
#include <ostream>
#include <string>

#include "cli/Commands.h"
#include "cli/SourceInput.h"
#include "source/RecordJson.h"

namespace quorvel::cli {

int RunDump(const DumpOptions& options, std::ostream& out, std::ostream& err) {
    const std::unique_ptr<SourceRecord> record = ReadSourceOrFail(options.source, err);
    if (!record) return kExitFailure;
    out << FormatJson(DumpRecord(*record));
    return kExitOk;
}

}  // namespace quorvel::cli
