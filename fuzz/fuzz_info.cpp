// libFuzzer target: any bytes as the picture of `quorvel-cli info`, read from a file as the
// command reads it. The command must print the picture's texts or refuse it with a message, and
// nothing it prints may carry a control character but the line ends.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "cli/Commands.h"
#include "fuzz/FuzzFiles.h"

namespace {

namespace fs = std::filesystem;

bool Printable(const std::string& text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\n') || byte == 0x7F) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path picture = quorvel::fuzz::WorkFolder("info") / "picture.png";
    quorvel::fuzz::WriteInput(picture, data, size);
    std::ostringstream out, err;
    const int status = quorvel::cli::RunInfo({picture}, out, err);
    const bool refused = status == quorvel::cli::kExitFailure;
    if (status != quorvel::cli::kExitOk && !refused) std::abort();
    // A refusal says why and prints nothing else; a picture always has a size.
    if (refused != out.str().empty() || refused == err.str().empty()) std::abort();
    if (!Printable(out.str()) || !Printable(err.str())) std::abort();
    return 0;
}
