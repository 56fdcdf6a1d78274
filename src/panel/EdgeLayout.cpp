#include "panel/EdgeLayout.h"

#include <cmath>

namespace EdgeLayout {

QRectF stripFrame(const ScreenGeometry &screen, ScreenDockEdge edge)
{
    const QRectF &f = screen.frame;
    const double x = edge == ScreenDockEdge::Left ? f.left() : f.right() - stripWidth;
    return QRectF(x, f.top(), stripWidth, f.height());
}

QRectF notchFrame(const ScreenGeometry &screen, ScreenDockEdge edge)
{
    const QRectF &f = screen.frame;
    const double x = edge == ScreenDockEdge::Left ? f.left() : f.right() - notchWidth;
    return QRectF(x, f.center().y() - notchHeight / 2, notchWidth, notchHeight);
}

QRectF notchHitFrame(const ScreenGeometry &screen, ScreenDockEdge edge)
{
    const QRectF &f = screen.frame;
    const double width = std::ceil(stripWidth + pillRestWidth);
    const double x = edge == ScreenDockEdge::Left ? f.left() : f.right() - width;
    return QRectF(x, f.center().y() - notchHeight / 2, width, notchHeight);
}

Frames frames(const QList<ScreenGeometry> &screens, ScreenDockEdge edge, bool showIndicator)
{
    Frames result;
    for (const ScreenGeometry &screen : screens) {
        result.strips.append(stripFrame(screen, edge));
        if (showIndicator) {
            result.strips.append(notchHitFrame(screen, edge));
            result.notches.append(notchFrame(screen, edge));
        }
    }
    return result;
}

} // namespace EdgeLayout
