#pragma once

#include "platform/ScreenEnvironment.h"
#include "state/LayoutEnums.h"

#include <QList>
#include <QRectF>

// Where the edge windows go: a strip along the docked edge of every screen
// and, while the indicator is on, a notch at the middle of that edge with a
// wider strip of its own beside it. Desktop coordinates, on the screens'
// full frames.
namespace EdgeLayout {

inline constexpr double stripWidth = 6;
inline constexpr double notchWidth = 20;
inline constexpr double notchHeight = 56;
// The notch's pill at rest, against the edge.
inline constexpr double pillRestWidth = 4.5;
inline constexpr double pillRestHeight = 42;

struct Frames
{
    // The edge strips, and beside each notch its pointer area (see notchHitFrame).
    QList<QRectF> strips;
    QList<QRectF> notches;

    bool operator==(const Frames &) const = default;
};

QRectF stripFrame(const ScreenGeometry &screen, ScreenDockEdge edge);
QRectF notchFrame(const ScreenGeometry &screen, ScreenDockEdge edge);
// A strip as tall as the notch and as wide as the edge strip and the pill
// at rest together, so the pointer need not find the pill's few pixels.
// Strips draw nothing; the notch, made later, stays above it.
QRectF notchHitFrame(const ScreenGeometry &screen, ScreenDockEdge edge);
// Per screen, in the screens' order: its strip and, with the indicator,
// its notch's pointer area and its notch.
Frames frames(const QList<ScreenGeometry> &screens, ScreenDockEdge edge, bool showIndicator);

} // namespace EdgeLayout
