// The 1280 by 720 screen: one persistent image that every state change paints into at once, and a
// widget that only shows it.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <vector>

#include "data/Catalogue.h"
#include "data/ScreenState.h"
#include "render/PixelScreen.h"
#include "render/ScreenLayout.h"
#include "render/ScreenPainter.h"

namespace quorvel {

class ScreenView : public QWidget {
    Q_OBJECT
  public:
    using PointerObserver = std::function<void(QPoint)>;

    explicit ScreenView(QWidget* parent);

    // The screen exactly as the last pass left it, shown or not; this is what an export saves.
    const QImage& Image() const { return m_image; }

    // Paints `areas` of the screen for `state` into the image, the way a clipped repaint does,
    // and has the widget show them. Painting here rather than in paintEvent keeps the image
    // current while the window is hidden or minimised, when no paint events come.
    PaintResult Repaint(const std::vector<IntRect>& areas, const ScreenState& state,
                        const Catalogue& catalogue);

    void OnPointerMoved(PointerObserver observer) { m_pointerObserver = std::move(observer); }

    // Shows the screen at `deviceScale` device pixels per screen pixel; the image is untouched.
    void SetDeviceScale(double deviceScale);
    // View (logical) pixels per screen pixel.
    double ViewScale() const;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    QRect ViewRect(const QRect& screenRect) const;

    QImage m_image;
    ScreenRepainter m_repainter;
    PointerObserver m_pointerObserver;
    double m_deviceScale = 1.0;
};

}  // namespace quorvel
