// The application object: owns Qt's application and runs the main window modally.
#pragma once

#include <QApplication>
#include <QByteArray>
#include <optional>
#include <string>

namespace quorvel {

class MainWindow;

class QuorvelApplication {
  public:
    QuorvelApplication(int& argc, char** argv);

    // Shows the main window, opens `file` (the command line's bytes) if given, and returns when
    // the window has closed.
    int Run(const std::optional<std::string>& file);

    // Opens `path` once the window's event loop runs, exactly as File > Open would.
    static void ScheduleOpen(MainWindow& dialog, const QByteArray& path);

  private:
    QApplication m_application;
};

}  // namespace quorvel
