// Application-wide filter that gives the main window every key press and wheel notch first.
#pragma once

#include <QObject>

namespace quorvel {

class MainWindow;

// Installed on the application so that it sees key presses before the focused widget, an opened
// list's popup included. Dialogs, message boxes and menus of their own keep their keys.
class InputFilter : public QObject {
    Q_OBJECT
  public:
    explicit InputFilter(MainWindow& dialog);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool IsBoundForMainWindow(QObject* watched) const;

    MainWindow& m_dialog;
    int m_wheelRemainder = 0;  // eighths of a degree not yet worth a whole line
};

}  // namespace quorvel
