#include "app/ScreenView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace quorvel {

ScreenView::ScreenView(QWidget* parent) : QWidget(parent), m_image(NewScreenImage()) {
    setFixedSize(kScreenWidth, kScreenHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

PaintResult ScreenView::Repaint(const std::vector<IntRect>& areas, const ScreenState& state,
                                const Catalogue& catalogue) {
    QRegion area;
    for (const IntRect& rect : areas) area += ToQRect(rect) & ToQRect(kWholeScreen);
    if (area.isEmpty()) return {};
    PaintResult result = PaintScreen(m_image, area, state, catalogue);
    update(area);
    return result;
}

void ScreenView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    for (const QRect& rect : event->region()) painter.drawImage(rect, m_image, rect);
}

void ScreenView::mouseMoveEvent(QMouseEvent* event) {
    if (m_pointerObserver) m_pointerObserver(event->position().toPoint());
    QWidget::mouseMoveEvent(event);
}

}  // namespace quorvel
