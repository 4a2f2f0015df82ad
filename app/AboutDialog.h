// The About box: the icon, the program's name and version, and an OK button.
#pragma once

#include <QDialog>

namespace quorvel {

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace quorvel
