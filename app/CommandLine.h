// The window's command line, read before any display is opened: --help, --version, one file.
#pragma once

#include <optional>
#include <string>

namespace quorvel {

struct CommandLine {
    enum class Action { Run, Help, Version, Refuse };
    Action action = Action::Run;
    std::optional<std::string> file;  // the file to open, as the bytes it was given in
    std::string message;              // what to print for Help, Version and Refuse
};

inline constexpr int kExitUsage = 2;

// Qt's own options (-platform, -style, ...) are left for Qt to read.
CommandLine ParseCommandLine(int argc, const char* const* argv);

}  // namespace quorvel
