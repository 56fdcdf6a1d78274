#pragma once

#include "platform/PanelSurface.h"
#include "platform/ScreenEnvironment.h"

#include <QList>

// Screens and a pointer that tests place by hand.
class FakeScreens final : public ScreenEnvironment
{
public:
    QList<ScreenGeometry> screens() const override { return list; }
    QPointF pointerLocation() const override { return pointer; }
    bool isMouseButtonPressed() const override { return buttonPressed; }
    bool isPointerOverOwnWindow() const override { return overOwnWindow; }

    // One 1440 × 900 screen whose visible frame leaves 25 points at the top.
    QList<ScreenGeometry> list = {{QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875)}};
    QPointF pointer{1200, 400};
    bool buttonPressed = false;
    bool overOwnWindow = false;
};

// A window that only remembers where it was put.
class FakeSurface final : public PanelSurface
{
public:
    QRectF frame() const override { return m_frame; }
    void setFrame(const QRectF &frame) override { m_frame = frame; }
    void setOrigin(const QPointF &origin) override
    {
        m_frame.moveTopLeft(origin);
        origins.append(origin.x());
    }
    void setDocking(Qt::Edge, bool) override {}
    bool isOnScreen() const override { return onScreen; }
    void orderFront() override { onScreen = true; }
    void orderOut() override { onScreen = false; }
    bool inLiveResize() const override { return liveResize; }

    bool onScreen = false;
    bool liveResize = false;
    QList<double> origins; // every x a slide or snap-back moved the window to

private:
    QRectF m_frame{0, 0, 440, 800};
};
