#pragma once

#include "platform/ScreenEnvironment.h"
#include "state/Settings.h"

#include <QPainterPath>

#include <optional>

// Where the panel belongs, in desktop coordinates (origin bottom left, y up).
namespace PanelGeometry {

inline constexpr double minimumWidth = Settings::minimumPanelWidth;
inline constexpr double maximumWidth = Settings::maximumPanelWidth;
inline constexpr double minimumHeight = 400;
inline constexpr double maximumHeight = 2400;
// A panel at least this much shorter than the visible frame is detached from
// its top and bottom.
inline constexpr double detachMargin = 15;

struct Target
{
    QRectF frame;
    double offscreenX = 0;
};

double clampWidth(double width);
Target targetFrame(const Settings &settings, const QRectF &visibleFrame);
bool isDetached(double height, const QRectF &visibleFrame);
// The x the panel slides out to.
double offscreenX(ScreenDockEdge edge, const QRectF &visibleFrame, double width);
// The x of a panel of that width flush against the docked edge.
double dockedX(ScreenDockEdge edge, const QRectF &visibleFrame, double width);
// The frame moved or resized by the user, held wholly within the visible
// frame and flush against the docked edge.
QRectF keptWithin(const QRectF &frame, ScreenDockEdge edge, const QRectF &visibleFrame);
// The distance from the top of the visible frame to the top of the panel.
double topOffset(const QRectF &frame, const QRectF &visibleFrame);

// The screen containing `point`, else the first (main) screen; none without screens.
std::optional<ScreenGeometry> screenContaining(const QList<ScreenGeometry> &screens, const QPointF &point);

// The panel's outline in its own (Qt) coordinates: rounded corners, square on
// the docked side unless the panel is detached.
QPainterPath outline(const QSizeF &size, ScreenDockEdge edge, bool detached, double radius = 16);

} // namespace PanelGeometry
