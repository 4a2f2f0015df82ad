#include "app/ListComboBox.h"

#include <QAbstractItemView>
#include <QEvent>

namespace quorvel {

ListComboBox::ListComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setFocusPolicy(Qt::StrongFocus);
}

void ListComboBox::showPopup() {
    if (count() == 0) {
        // Qt opens no popup for an empty list; the click still opens and closes it at once.
        Q_EMIT closeUp();
        return;
    }
    QComboBox::showPopup();
    // hidePopup() is bypassed when the popup is dismissed by a click elsewhere, so the popup
    // window's own hiding is the one signal that covers every way of closing it.
    QWidget* popup = view()->window();
    if (popup != m_popup && popup != window()) {
        if (m_popup) m_popup->removeEventFilter(this);
        m_popup = popup;
        m_popup->installEventFilter(this);
    }
}

bool ListComboBox::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_popup && event->type() == QEvent::Hide) Q_EMIT closeUp();
    return QComboBox::eventFilter(watched, event);
}

}  // namespace quorvel
