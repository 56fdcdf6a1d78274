#pragma once

#include "platform/PanelSurface.h"

#include <QWidget>

class AppState;
class OrvanePanel;

// The panel's window on the desktop: frameless, above other windows, on every
// workspace, never in the taskbar. It can be dragged along its edge and
// resized from its inner edge, top and bottom.
class PanelWindow final : public QWidget, public PanelSurface
{
    Q_OBJECT

public:
    explicit PanelWindow(AppState &state);

    // Where the window reports the user's dragging and resizing.
    void setPanel(OrvanePanel *panel) { m_panel = panel; }
    // What the panel shows below its title; the window takes ownership.
    void setContent(QWidget *content);

    QRectF frame() const override;
    void setFrame(const QRectF &frame) override;
    void setOrigin(const QPointF &origin) override;
    bool isOnScreen() const override;
    void orderFront() override;
    void orderOut() override;
    bool inLiveResize() const override { return m_drag == Drag::Resize; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum class Drag { None, Move, Resize };
    Qt::Edges resizeEdgesAt(const QPoint &position) const;
    bool isDetached() const;

    AppState &m_state;
    OrvanePanel *m_panel = nullptr;
    const bool m_translucent;
    Drag m_drag = Drag::None;
    Qt::Edges m_resizeEdges;
    QPoint m_pressGlobal;
    QRect m_pressGeometry;
};
