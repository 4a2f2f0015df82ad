// quorvel-cli entry point: a Qt application without a window, then the command line.
#include <QGuiApplication>
#include <iostream>

#include "cli/Commands.h"

namespace {

// The offscreen platform complains about a missing XDG_RUNTIME_DIR, which a command-line tool
// never needs; every other Qt message still reaches standard error.
void FilterQtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("QStandardPaths:"))) return;
    std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << '\n';
}

}  // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(FilterQtMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt would take options such as -platform out of the real arguments; it gets none of them.
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    QGuiApplication application(qtArgc, qtArgv);
    return quorvel::cli::RunCli(argc, argv, std::cout, std::cerr);
}
