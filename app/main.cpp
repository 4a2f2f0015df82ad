// Starts Quorvel: `quorvel [FILE]`, FILE a source data file or a JSON dump.
#include <cstdio>

#include "app/CommandLine.h"
#include "app/QuorvelApplication.h"

int main(int argc, char** argv) {
    // Read before Qt starts, so that --help and --version answer where no display is.
    const quorvel::CommandLine line = quorvel::ParseCommandLine(argc, argv);
    switch (line.action) {
        case quorvel::CommandLine::Action::Help:
        case quorvel::CommandLine::Action::Version:
            std::fputs(line.message.c_str(), stdout);
            return std::fflush(stdout) == 0 ? 0 : 1;
        case quorvel::CommandLine::Action::Refuse:
            std::fputs(line.message.c_str(), stderr);
            return quorvel::kExitUsage;
        case quorvel::CommandLine::Action::Run:
            break;
    }
    quorvel::QuorvelApplication app(argc, argv);
    return app.Run(line.file);
}
