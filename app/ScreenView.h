// The 1280 by 720 screen: one persistent image, repainted only where it was invalidated.
#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <functional>
#include <vector>

#include "render/Canvas.h"
#include "render/ScreenPainter.h"

namespace quorvel {

class Navigator;

class ScreenView : public QWidget {
    Q_OBJECT
  public:
    using PassObserver = std::function<void(const PaintResult&)>;
    using PointerObserver = std::function<void(QPoint)>;

    // `navigator` supplies the state and lists of every pass and must outlive the view.
    ScreenView(const Navigator& navigator, QWidget* parent);

    // The screen exactly as the last pass left it; this is what an export saves.
    const QImage& Image() const { return m_image; }

    void Invalidate(const std::vector<IntRect>& areas);
    void OnPassFinished(PassObserver observer) { m_passObserver = std::move(observer); }
    void OnPointerMoved(PointerObserver observer) { m_pointerObserver = std::move(observer); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

  private:
    const Navigator& m_navigator;
    QImage m_image;
    QRegion m_pending;  // invalidated since the last pass
    PassObserver m_passObserver;
    PointerObserver m_pointerObserver;
};

}  // namespace quorvel
