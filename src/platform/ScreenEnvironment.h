#pragma once

#include <QList>
#include <QPointF>
#include <QRectF>

// One screen, in desktop coordinates: points, origin at the bottom left of
// the primary screen, y growing upwards.
struct ScreenGeometry
{
    QRectF frame;
    // The frame without panels and docks: where the panel may go.
    QRectF visibleFrame;

    bool operator==(const ScreenGeometry &) const = default;
};

// The screens and the pointer, as the panel's rules see them.
class ScreenEnvironment
{
public:
    virtual ~ScreenEnvironment() = default;
    ScreenEnvironment() = default;
    ScreenEnvironment(const ScreenEnvironment &) = delete;
    ScreenEnvironment &operator=(const ScreenEnvironment &) = delete;

    // The main (primary) screen first; empty when there is no screen at all.
    virtual QList<ScreenGeometry> screens() const = 0;
    virtual QPointF pointerLocation() const = 0;
    virtual bool isMouseButtonPressed() const = 0;
    // Whether the pointer is over one of this application's own windows.
    virtual bool isPointerOverOwnWindow() const = 0;
};
