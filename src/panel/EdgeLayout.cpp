#include "panel/EdgeLayout.h"

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

Frames frames(const QList<ScreenGeometry> &screens, ScreenDockEdge edge, bool showIndicator)
{
    Frames result;
    for (const ScreenGeometry &screen : screens) {
        result.strips.append(stripFrame(screen, edge));
        if (showIndicator)
            result.notches.append(notchFrame(screen, edge));
    }
    return result;
}

} // namespace EdgeLayout
