// The About box: the icon, the program's name and version, and an OK button.
#pragma once

#include <QDialog>

namespace quorvel {

class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace quorvel
