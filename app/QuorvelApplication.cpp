#include "app/QuorvelApplication.h"

#include <QTimer>

#include "Version.h"
#include "app/AppIcon.h"
#include "app/MainWindow.h"

namespace quorvel {

QuorvelApplication::QuorvelApplication(int& argc, char** argv) : m_application(argc, argv) {
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(QLatin1String(kShortVersion));
    QApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QApplication::setWindowIcon(AppIcon());
}

std::optional<QString> QuorvelApplication::StartFile(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments.at(1).isEmpty()) return std::nullopt;
    return arguments.at(1);
}

void QuorvelApplication::ScheduleOpen(MainWindow& dialog, const QString& path) {
    // Queued so that any message box has the shown main window as its owner.
    QTimer::singleShot(0, &dialog, [&dialog, path] { dialog.OpenSourceFile(path); });
}

int QuorvelApplication::Run() {
    MainWindow dialog;
    if (const std::optional<QString> path = StartFile(QApplication::arguments())) {
        ScheduleOpen(dialog, *path);
    }
    dialog.exec();
    return 0;
}

}  // namespace quorvel
