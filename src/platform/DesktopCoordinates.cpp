#include "platform/DesktopCoordinates.h"

#include <QGuiApplication>
#include <QScreen>

namespace DesktopCoordinates {

QRectF toQt(const QRectF &r, double primaryBottom)
{
    return QRectF(r.x(), primaryBottom - r.y() - r.height(), r.width(), r.height());
}

QRectF fromQt(const QRectF &r, double primaryBottom)
{
    return toQt(r, primaryBottom);
}

// A pixel row is a span one unit high; the point names the span's lower edge,
// so that the top row of a screen is inside that screen's half-open frame.
QPointF pointFromQt(const QPointF &p, double primaryBottom)
{
    return QPointF(p.x(), primaryBottom - p.y() - 1);
}

double primaryBottom()
{
    const QScreen *primary = QGuiApplication::primaryScreen();
    if (!primary)
        return 0;
    const QRect g = primary->geometry();
    return g.y() + g.height();
}

} // namespace DesktopCoordinates
