// `build`: a source data file from JSON in the form `dump` prints.
#include <fstream>
#include <iostream>
#include <iterator>

#include "cli/Commands.h"
#include "cli/RecordJson.h"
#include "export/AtomicFile.h"

namespace quorvel::cli {

namespace {

bool ReadAll(const std::filesystem::path& path, std::string& text) {
    if (path == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), {});
        return !std::cin.bad();
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    text.assign(std::istreambuf_iterator<char>(file), {});
    return !file.bad();
}

}  // namespace

int RunBuild(const BuildOptions& options, std::ostream& err) {
    std::string text;
    if (!ReadAll(options.input, text)) {
        err << "quorvel-cli: cannot read " << options.input.string() << "\n";
        return kExitFailure;
    }
    Json document;
    try {
        document = Json::parse(text);
    } catch (const Json::exception& error) {  // also a number too large for any type
        err << "quorvel-cli: " << options.input.string() << " is not valid JSON: " << error.what()
            << "\n";
        return kExitFailure;
    }
    const BuiltRecord built = BuildRecord(document);
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
