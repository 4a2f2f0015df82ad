// A drop-down list that reports when its opened list closes, however it was closed.
#pragma once

#include <QComboBox>

namespace quorvel {

class ListComboBox : public QComboBox {
    Q_OBJECT
  public:
    explicit ListComboBox(QWidget* parent = nullptr);

    void showPopup() override;

  Q_SIGNALS:
    // The opened list has closed: by a pick, or by a click outside it.
    void closeUp();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* m_popup = nullptr;
};

}  // namespace quorvel
