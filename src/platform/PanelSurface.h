#pragma once

#include <QPointF>
#include <QRectF>

// The panel's window, in desktop coordinates (see ScreenEnvironment).
class PanelSurface
{
public:
    virtual ~PanelSurface() = default;
    PanelSurface() = default;
    PanelSurface(const PanelSurface &) = delete;
    PanelSurface &operator=(const PanelSurface &) = delete;

    virtual QRectF frame() const = 0;
    virtual void setFrame(const QRectF &frame) = 0;
    // Moves the window without resizing it: all a slide does per frame.
    virtual void setOrigin(const QPointF &origin) = 0;
    // The screen edge the window is docked against (Qt::LeftEdge or
    // Qt::RightEdge), and whether it is detached from the top and bottom:
    // what its outline and its resize handles depend on.
    virtual void setDocking(Qt::Edge dockedEdge, bool detached) = 0;
    virtual bool isOnScreen() const = 0;
    // Shows the window in front of others and gives it the keyboard.
    virtual void orderFront() = 0;
    virtual void orderOut() = 0;
    // The user is resizing the window right now.
    virtual bool inLiveResize() const = 0;
};
