// `build`: a source data file from JSON in the form `dump` prints.
#include <ostream>

#include "cli/CannotWrite.h"
#include "cli/Commands.h"
#include "cli/SourceInput.h"
#include "export/AtomicFile.h"
#include "source/RecordJson.h"

namespace quorvel::cli {

int RunBuild(const BuildOptions& options, std::ostream& err) {
    const std::optional<Json> document = ReadJsonOrFail(options.input, err);
    if (!document) return kExitFailure;
    const BuiltRecord built = BuildRecord(*document);
    if (!built.record) {
        err << "quorvel-cli: " << options.input.string() << ": " << built.error << "\n";
        return kExitFailure;
    }
    return ExitStatusOf(WriteFileAtomically(options.output, built.record->bytes), options.output,
                        err);
}

}  // namespace quorvel::cli
