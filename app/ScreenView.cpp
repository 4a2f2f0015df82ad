#include "app/ScreenView.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <cmath>

#include "app/Zoom.h"

namespace quorvel {

ScreenView::ScreenView(QWidget* parent) : QWidget(parent), m_image(NewScreenImage()) {
    setFixedSize(kScreenWidth, kScreenHeight);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
}

double ScreenView::ViewScale() const {
    return m_deviceScale / devicePixelRatioF();
}

void ScreenView::SetDeviceScale(double deviceScale) {
    m_deviceScale = deviceScale;
    const double scale = ViewScale();
    setFixedSize(static_cast<int>(std::lround(kScreenWidth * scale)),
                 static_cast<int>(std::lround(kScreenHeight * scale)));
    update();
}

QRect ScreenView::ViewRect(const QRect& screenRect) const {
    const double scale = ViewScale();
    const QRectF view(screenRect.x() * scale, screenRect.y() * scale, screenRect.width() * scale,
                      screenRect.height() * scale);
    // Smoothing reads a neighbouring pixel on each side.
    return view.toAlignedRect().adjusted(-1, -1, 1, 1);
}

PaintResult ScreenView::Repaint(const std::vector<IntRect>& areas, const ScreenState& state,
                                const Catalogue& catalogue) {
    QRegion area;
    for (const IntRect& rect : areas) {
        area += QRect(rect.x, rect.y, rect.w, rect.h) & QRect(0, 0, kScreenWidth, kScreenHeight);
    }
    if (area.isEmpty()) return {};
    PaintResult result = m_repainter.Repaint(PixelsOf(m_image), areas, state, catalogue);
    if (m_deviceScale == devicePixelRatioF()) {
        update(area);
    } else {
        for (const QRect& rect : area) update(ViewRect(rect));
    }
    return result;
}

void ScreenView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const double scale = ViewScale();
    if (scale == 1.0) {
        for (const QRect& rect : event->region()) painter.drawImage(rect, m_image, rect);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform, !IsWholeScale(m_deviceScale));
    painter.drawImage(QRectF(0, 0, kScreenWidth * scale, kScreenHeight * scale), m_image);
}

void ScreenView::mouseMoveEvent(QMouseEvent* event) {
    if (m_pointerObserver) {
        const double scale = ViewScale();
        m_pointerObserver(QPoint(ScreenCoordinate(event->position().x(), scale),
                                 ScreenCoordinate(event->position().y(), scale)));
    }
    QWidget::mouseMoveEvent(event);
}

}  // namespace quorvel
