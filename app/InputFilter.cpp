#include "app/InputFilter.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QWheelEvent>

#include "app/MainWindow.h"

namespace quorvel {

namespace {

constexpr int kWheelNotch = 120;  // angle delta of one wheel notch

// Alt combinations open menus by their underlined letters and F10 belongs to the window
// manager; everything else is the main window's.
bool PassesThrough(const QKeyEvent& key) {
    return (key.modifiers() & Qt::AltModifier) || key.key() == Qt::Key_Alt ||
           key.key() == Qt::Key_AltGr || key.key() == Qt::Key_F10;
}

}  // namespace

InputFilter::InputFilter(MainWindow& dialog) : QObject(&dialog), m_dialog(dialog) {}

bool InputFilter::IsBoundForMainWindow(QObject* watched) const {
    const auto* widget = qobject_cast<const QWidget*>(watched);
    if (!widget) return false;  // the same event reaches the widget itself next
    const QWidget* window = widget->window();
    if (window == &m_dialog) return true;
    for (const QComboBox* list : m_dialog.Lists()) {
        if (list->view() && list->view()->window() == window) return true;
    }
    return false;
}

bool InputFilter::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // An opened list picks its line on Enter already at this stage.
            const auto& key = static_cast<const QKeyEvent&>(*event);
            // The menus' shortcuts (Copy, Reload, zoom) are the window's, never the meter's keys.
            return !PassesThrough(key) && !m_dialog.IsMenuShortcut(key) &&
                   IsBoundForMainWindow(watched);
        }
        case QEvent::KeyPress: {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (PassesThrough(key) || m_dialog.IsMenuShortcut(key) ||
                !IsBoundForMainWindow(watched)) {
                return false;
            }
            m_dialog.OnKeyDown(key.key());
            return true;
        }
        case QEvent::Wheel: {
            // An opened list scrolls its own popup; elsewhere the wheel walks the current list.
            const QWidget* widget = qobject_cast<const QWidget*>(watched);
            if (!widget || widget->window() != &m_dialog) return false;
            const QPoint delta = static_cast<const QWheelEvent&>(*event).angleDelta();
            m_wheelRemainder += delta.y() != 0 ? delta.y() : delta.x();
            const int notches = m_wheelRemainder / kWheelNotch;
            m_wheelRemainder -= notches * kWheelNotch;
            // Turning the wheel towards the user goes down the list.
            if (notches != 0) m_dialog.OnWheel(-notches);
            return true;
        }
        default:
            return false;
    }
}

}  // namespace quorvel
