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

void QuorvelApplication::ScheduleOpen(MainWindow& dialog, const QByteArray& path) {
    // Queued so that any message box has the shown main window as its owner.
    QTimer::singleShot(0, &dialog, [&dialog, path] { dialog.OpenSourceFile(path); });
}

int QuorvelApplication::Run(const std::optional<std::string>& file) {
    MainWindow dialog;
    dialog.ChooseInitialZoom();
    if (file && !file->empty()) ScheduleOpen(dialog, QByteArray::fromStdString(*file));
    dialog.exec();
    return 0;
}

}  // namespace quorvel
