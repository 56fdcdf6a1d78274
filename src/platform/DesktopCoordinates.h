#pragma once

#include <QPointF>
#include <QRectF>

// Desktop coordinates (origin at the bottom left of the primary screen, y up)
// and Qt's (origin top left, y down) mirror each other around the bottom of
// the primary screen, given in Qt's coordinates.
namespace DesktopCoordinates {

QRectF toQt(const QRectF &desktopRect, double primaryBottom);
QRectF fromQt(const QRectF &qtRect, double primaryBottom);
// For a pointer position: the pixel at that point.
QPointF pointFromQt(const QPointF &qtPoint, double primaryBottom);
// The mirror line of the running desktop: the primary screen's bottom in Qt's coordinates.
double primaryBottom();

} // namespace DesktopCoordinates
