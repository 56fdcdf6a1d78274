#pragma once

#include "platform/PanelSurface.h"

#include <QWidget>

class PanelOutline;
class SettingsModel;
class WindowHints;

// The panel's window on the desktop: frameless, above other windows, on every
// workspace, never in the taskbar. It can be dragged along its edge and
// resized from its inner edge, top and bottom; it reports what the user did
// and leaves the rules to whoever listens.
class PanelWindow final : public QWidget, public PanelSurface
{
    Q_OBJECT

public:
    PanelWindow(const SettingsModel &settings, WindowHints &hints);
    ~PanelWindow() override;

    // What the panel shows inside its outline; the window takes ownership.
    void setContent(QWidget *content);

    QRectF frame() const override;
    void setFrame(const QRectF &frame) override;
    void setOrigin(const QPointF &origin) override;
    void setDocking(Qt::Edge dockedEdge, bool detached) override;
    bool isOnScreen() const override;
    void orderFront() override;
    void orderOut() override;
    // A new window manager adopts a shown panel as it finds it, without the
    // hints the old one took away; mapped anew, it gets them as at any show.
    // Where it then stands is the panel's to say again.
    void remapForNewWindowManager();
    bool inLiveResize() const override { return m_drag == Drag::Resize; }

Q_SIGNALS:
    // The user dragged the window, resized it, or let go after resizing.
    void userMoved();
    void userResized();
    void userResizeEnded();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    enum class Drag { None, Move, Resize };
    Qt::Edges resizeEdgesAt(const QPoint &position) const;
    void beginDrag(Drag drag, const QPoint &position, const QPoint &globalPosition);
    void endDrag();
    void showResizeCursor(Qt::Edges edges);
    void updateShape();

    const SettingsModel &m_settings;
    WindowHints &m_hints;
    const bool m_translucent;
    PanelOutline *m_outline;
    Qt::CursorShape m_cursorShape = Qt::ArrowCursor;
    Qt::Edge m_dockedEdge = Qt::RightEdge;
    bool m_detached = false;
    Drag m_drag = Drag::None;
    Qt::Edges m_resizeEdges;
    QPoint m_pressGlobal;
    QRect m_pressGeometry;
};
