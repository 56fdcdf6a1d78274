#include "panel/PanelGeometry.h"

#include <algorithm>

namespace PanelGeometry {

double clampWidth(double width)
{
    return std::max(minimumWidth, std::min(width, maximumWidth));
}

bool isDetached(double height, const QRectF &visibleFrame)
{
    return height < visibleFrame.height() - detachMargin;
}

double offscreenX(ScreenDockEdge edge, const QRectF &visibleFrame, double width)
{
    return edge == ScreenDockEdge::Left ? visibleFrame.left() - width : visibleFrame.right();
}

double dockedX(ScreenDockEdge edge, const QRectF &visibleFrame, double width)
{
    return edge == ScreenDockEdge::Left ? visibleFrame.left() : visibleFrame.right() - width;
}

QRectF keptWithin(const QRectF &frame, ScreenDockEdge edge, const QRectF &v)
{
    const double width = std::min(frame.width(), v.width());
    const double height = std::min(frame.height(), v.height());
    const double y = std::clamp(frame.y(), v.y(), v.y() + v.height() - height);
    return {dockedX(edge, v, width), y, width, height};
}

double topOffset(const QRectF &frame, const QRectF &visibleFrame)
{
    // In desktop coordinates a rectangle's top edge is at y + height.
    return std::max(0.0, (visibleFrame.y() + visibleFrame.height()) - (frame.y() + frame.height()));
}

Target targetFrame(const Settings &settings, const QRectF &v)
{
    // Never wider than the work area, or it would hang onto the next screen.
    const double width = std::min(clampWidth(settings.panelWidth), v.width());
    const double visibleTop = v.y() + v.height();
    double height = v.height();
    if (settings.panelCustomHeight && *settings.panelCustomHeight > 200
        && *settings.panelCustomHeight < v.height() - detachMargin) {
        height = std::min(v.height(), *settings.panelCustomHeight);
    }
    double y = v.y();
    if (isDetached(height, v)) {
        y = visibleTop - settings.panelTopOffset.value_or(0) - height;
        y = std::max(v.y(), std::min(y, visibleTop - height));
    }
    const double x = dockedX(settings.screenDockEdge, v, width);
    return {QRectF(x, y, width, height), offscreenX(settings.screenDockEdge, v, width)};
}

std::optional<ScreenGeometry> screenContaining(const QList<ScreenGeometry> &screens, const QPointF &point)
{
    for (const ScreenGeometry &screen : screens) {
        // Half-open on the far edges, so neighbouring screens never both claim a point.
        const QRectF &f = screen.frame;
        if (point.x() >= f.left() && point.x() < f.left() + f.width() && point.y() >= f.top()
            && point.y() < f.top() + f.height()) {
            return screen;
        }
    }
    if (screens.isEmpty())
        return std::nullopt;
    return screens.constFirst();
}

QPainterPath outline(const QSizeF &size, ScreenDockEdge edge, bool detached, double radius)
{
    const QRectF rect(QPointF(0, 0), size);
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    if (detached)
        return path;
    // Square off the docked side by covering its rounded corners.
    QPainterPath square;
    const double x = edge == ScreenDockEdge::Left ? 0 : size.width() - radius;
    square.addRect(QRectF(x, 0, radius, size.height()));
    return path.united(square).simplified();
}

} // namespace PanelGeometry
