// libFuzzer target: any bytes as the JSON input of `quorvel-cli build`. The command must refuse
// bad input with a message, and whatever it accepts must come back byte for byte through dump
// and build.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/Commands.h"
#include "data/SourceRecord.h"
#include "fuzz/FuzzFiles.h"
#include "source/RecordJson.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace quorvel;
    const fs::path input = fuzz::WorkFolder("build") / "input.json";
    const fs::path output = fuzz::WorkFolder("build") / "output.dat";
    fuzz::WriteInput(input, data, size);
    std::error_code ignored;
    fs::remove(output, ignored);

    std::ostringstream err;
    const int status = cli::RunBuild({input, output}, err);
    if (status != cli::kExitOk) {
        // A refusal names its reason and writes nothing.
        if (status != cli::kExitFailure || err.str().empty() || fs::exists(output)) std::abort();
        return 0;
    }

    const std::vector<std::uint8_t> built = ReadAll(output);
    if (built.size() != record::kSize) std::abort();
    auto record = std::make_unique<SourceRecord>();
    std::copy(built.begin(), built.end(), record->bytes.begin());
    const BuiltRecord again = BuildRecord(DumpRecord(*record));
    if (!again.record || again.record->bytes != record->bytes) std::abort();
    return 0;
}
