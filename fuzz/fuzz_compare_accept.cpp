// libFuzzer target: `compare --accept` on a new folder whose index.json and pictures are any
// bytes (ExerciseAccept.h says how they are split). Nothing may be approved that does not decode
// or comes with an index that cannot be read, and no run may crash or leave a temporary file.
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>

#include "fuzz/ExerciseAccept.h"

namespace {

const std::filesystem::path& WorkFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern = std::filesystem::temp_directory_path() / "quorvel-fuzz-accept-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        return std::filesystem::path(pattern) / "run";
    }();
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const quorvel::AcceptReport report = quorvel::ExerciseAccept({data, size}, WorkFolder());
    if (!report.fault.empty()) {
        std::cerr << "fuzz_compare_accept: " << report.fault << "\n";
        std::abort();
    }
    return 0;
}
