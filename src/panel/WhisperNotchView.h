#pragma once

#include "state/LayoutEnums.h"

#include <QVariantAnimation>
#include <QWidget>

class AppState;
class EdgeHoverDetector;
class WindowHints;

// The notch at the middle of the docked edge: a pill that shows where the
// panel lives while it is hidden. Hovering grows it, a click toggles the
// panel, a drag over it opens the shelf and a drop stages on it. The window
// is cut to the pill, so it looks the same with and without a compositor,
// and the pointer beside the pill reaches the strips below: the edge's, and
// the wider one that makes the notch easy to hit (EdgeLayout::notchHitFrame).
class WhisperNotchView final : public QWidget
{
    Q_OBJECT

public:
    // `frame` in desktop coordinates, on the screen's `edge`.
    WhisperNotchView(const QRectF &frame, ScreenDockEdge edge, const AppState &state, EdgeHoverDetector &detector,
                     WindowHints &hints);

    bool isHovering() const { return m_hovering; }
    bool isTargetedForDrop() const { return m_targetedForDrop; }
    // 0 at rest, 1 when grown.
    double growth() const { return m_growth; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void updateShown();
    void updateGrowth();
    void setGrowth(double growth);

    const AppState &m_state;
    EdgeHoverDetector &m_detector;
    const ScreenDockEdge m_edge;
    const bool m_translucent;
    bool m_shown = false;
    bool m_hovering = false;
    bool m_targetedForDrop = false;
    double m_growth = 0;
    QVariantAnimation m_spring;
    QVariantAnimation m_fade;
};
