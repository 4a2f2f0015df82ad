// `build`: a source data file from JSON in the form `dump` prints.
#include <ostream>

#include "cli/Commands.h"
#include "export/AtomicFile.h"
#include "source/JsonInput.h"
#include "source/RecordJson.h"

namespace quorvel::cli {

int RunBuild(const BuildOptions& options, std::ostream& err) {
    const JsonInput input = ReadJsonInput(options.input);
    if (!input.document) {
        err << "quorvel-cli: " << input.error << "\n";
        return kExitFailure;
    }
    const BuiltRecord built = BuildRecord(*input.document);
    if (!built.record) {
        err << "quorvel-cli: " << options.input.string() << ": " << built.error << "\n";
        return kExitFailure;
    }
    if (const WriteOutcome written = WriteFileAtomically(options.output, built.record->bytes);
        !written.ok) {
        err << "quorvel-cli: cannot write " << options.output.string() << ": " << written.error
            << "\n";
        return kExitFailure;
    }
    return kExitOk;
}

}  // namespace quorvel::cli
