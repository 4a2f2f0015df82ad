// quorvel-cli entry point: a Qt application without a window, then the command line.
#include <fcntl.h>

#include <QGuiApplication>
#include <cerrno>
#include <exception>
#include <iostream>

#include "cli/Commands.h"

namespace {

// The offscreen platform complains about a missing XDG_RUNTIME_DIR, which a command-line tool
// never needs; every other Qt message still reaches standard error.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths:"))) return;
    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << '\n';
}

// A closed standard stream would let the next file opened take its number, and output meant for
// the stream would land in that file. A read-only /dev/null holds the number instead: reads end
// at once and writes fail with "Bad file descriptor", as they would on the closed stream.
void HoldClosedStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) == -1 && errno == EBADF) ::open("/dev/null", O_RDONLY);
    }
}

}  // namespace

int main(int argc, char** argv) {
    HoldClosedStandardStreams();
    qInstallMessageHandler(FilterQtMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt would take options such as -platform out of the real arguments; it gets none of them.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication application(qtArgc, qtArgv);
    // The commands report what they foresee; anything else (memory running out, say) still ends
    // with a message and the failure status rather than an abort.
    try {
        return quorvel::cli::RunCli(argc, argv, std::cout, std::cerr);
    } catch (const std::exception& error) {
        std::cerr << "quorvel-cli: stopped: " << error.what() << '\n';
    } catch (...) {
        std::cerr << "quorvel-cli: stopped by an unexpected error\n";
    }
    return quorvel::cli::kExitFailure;
}
