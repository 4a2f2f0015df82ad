// The application object: owns Qt's application and runs the main window modally.
#pragma once

#include <QApplication>
#include <QString>
#include <QStringList>
#include <optional>

namespace quorvel {

class MainWindow;

class QuorvelApplication {
  public:
    QuorvelApplication(int& argc, char** argv);

    // Shows the main window, opens the file named on the command line if any, and returns when
    // the window has closed.
    int Run();

    // The source file named by the arguments (program name first), if one is.
    static std::optional<QString> StartFile(const QStringList& arguments);
    // Opens `path` once the window's event loop runs, exactly as File > Open would.
    static void ScheduleOpen(MainWindow& dialog, const QString& path);

  private:
    QApplication m_application;
};

}  // namespace quorvel
