#pragma once

#include "platform/ScreenEnvironment.h"
#include "state/LayoutEnums.h"

#include <QList>
#include <QRectF>

// Where the edge windows go: a strip along the docked edge of every screen
// and, while the indicator is on, a notch at the middle of that edge.
// Desktop coordinates, on the screens' full frames.
namespace EdgeLayout {

inline constexpr double stripWidth = 6;
inline constexpr double notchWidth = 20;
inline constexpr double notchHeight = 56;

struct Frames
{
    QList<QRectF> strips;
    QList<QRectF> notches;

    bool operator==(const Frames &) const = default;
};

QRectF stripFrame(const ScreenGeometry &screen, ScreenDockEdge edge);
QRectF notchFrame(const ScreenGeometry &screen, ScreenDockEdge edge);
// One strip (and notch) per screen, in the screens' order.
Frames frames(const QList<ScreenGeometry> &screens, ScreenDockEdge edge, bool showIndicator);

} // namespace EdgeLayout
