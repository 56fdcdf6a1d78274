#pragma once

#include "platform/ScreenEnvironment.h"

#include <QElapsedTimer>
#include <QRect>

// The screens as Qt sees them, with the work area of each read from the
// window manager (Qt's availableGeometry() is the whole screen on
// multi-monitor X11), converted to desktop coordinates.
class X11ScreenEnvironment final : public ScreenEnvironment
{
public:
    QList<ScreenGeometry> screens() const override;
    QPointF pointerLocation() const override;
    bool isMouseButtonPressed() const override;
    bool isPointerOverOwnWindow() const override;

    // The part of `screen` that the work areas leave free; `screen` when none is known.
    static QRect workAreaOf(const QRect &screen, const QList<QRect> &workAreas);

private:
    const QList<QRect> &workAreas() const;

    // The panel asks for the screens on every pointer movement while it is
    // shown; the window manager's work areas are read at most once a second.
    mutable QList<QRect> m_workAreas;
    mutable QElapsedTimer m_workAreasAge;
};
