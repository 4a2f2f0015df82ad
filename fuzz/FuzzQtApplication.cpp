#include "fuzz/FuzzQtApplication.h"

#include <QGuiApplication>

namespace quorvel {

void StartFuzzQtApplication() {
    if (QGuiApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps references to argc and argv for the life of the application.
    static int argc = 1;
    static char name[] = "quorvel-fuzz";
    static char* argv[] = {name, nullptr};
    // Never destroyed: libFuzzer leaves the process from inside its callbacks.
    new QGuiApplication(argc, argv);
}

}  // namespace quorvel
