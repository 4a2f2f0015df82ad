#include "app/ScreenView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "app/Navigator.h"

namespace quorvel {

namespace {
const QRect kScreenRect(0, 0, kScreenWidth, kScreenHeight);
}

ScreenView::ScreenView(const Navigator& navigator, QWidget* parent)
    : QWidget(parent), m_navigator(navigator), m_image(NewScreenImage()) {
    setFixedSize(kScreenWidth, kScreenHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    // The first pass paints the start-up screen, as after any other change.
    m_pending = kScreenRect;
}

void ScreenView::Invalidate(const std::vector<IntRect>& areas) {
    for (const IntRect& area : areas) {
        const QRect rect = QRect(area.x, area.y, area.w, area.h) & kScreenRect;
        if (rect.isEmpty()) continue;
        m_pending += rect;
        update(rect);
    }
}

void ScreenView::paintEvent(QPaintEvent* event) {
    // A pass only ever changes what was invalidated, the way a clipped repaint does; areas that
    // are merely exposed again show the image as it stands.
    if (!m_pending.isEmpty()) {
        const QRegion area = m_pending & kScreenRect;
        m_pending = QRegion();
        const PaintResult result =
            PaintScreen(m_image, area, m_navigator.State(), m_navigator.Lists());
        if (m_passObserver) m_passObserver(result);
    }
    QPainter painter(this);
    for (const QRect& rect : event->region()) painter.drawImage(rect, m_image, rect);
}

void ScreenView::mouseMoveEvent(QMouseEvent* event) {
    if (m_pointerObserver) m_pointerObserver(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

}  // namespace quorvel
