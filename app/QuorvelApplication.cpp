#include "app/CPreviewApp.h"

#include <QTimer>

#include "app/AppIcon.h"
#include "app/CPreviewDlg.h"

namespace quorvel {

CPreviewApp::CPreviewApp(int& argc, char** argv) : m_application(argc, argv) {
    QApplication::setApplicationName(QStringLiteral("Quorvel"));
    QApplication::setApplicationVersion(QStringLiteral("1.2"));
    QApplication::setDesktopFileName(QStringLiteral("quorvel"));
    QApplication::setWindowIcon(AppIcon());
}

std::optional<QString> CPreviewApp::StartFile(const QStringList& arguments) {
    if (arguments.size() < 2 || arguments.at(1).isEmpty()) return std::nullopt;
    return arguments.at(1);
}

void CPreviewApp::ScheduleOpen(CPreviewDlg& dialog, const QString& path) {
    // Queued so that any message box has the shown main window as its owner.
    QTimer::singleShot(0, &dialog, [&dialog, path] { dialog.OpenSourceFile(path); });
}

int CPreviewApp::Run() {
    CPreviewDlg dialog;
    if (const std::optional<QString> path = StartFile(QApplication::arguments())) {
        ScheduleOpen(dialog, *path);
    }
    dialog.exec();
    return 0;
}

}  // namespace quorvel
