#include "panel/WhisperNotch.h"

#include "panel/EdgeLayout.h"

#include <cmath>
#include <numbers>

namespace {
constexpr QSizeF restSize(EdgeLayout::pillRestWidth, EdgeLayout::pillRestHeight);
constexpr QSizeF hoverSize(10.5, 50);
constexpr QSizeF lineSize(1.5, 18);
constexpr double linePadding = 1;
} // namespace

namespace WhisperNotch {

bool isShown(bool isPanelVisible, bool showEdgeIndicator)
{
    return !isPanelVisible && showEdgeIndicator;
}

QRectF pillRect(double growth, ScreenDockEdge edge)
{
    const double width = restSize.width() + (hoverSize.width() - restSize.width()) * growth;
    const double height = restSize.height() + (hoverSize.height() - restSize.height()) * growth;
    const double x = edge == ScreenDockEdge::Left ? 0 : EdgeLayout::notchWidth - width;
    return QRectF(x, (EdgeLayout::notchHeight - height) / 2, width, height);
}

QPainterPath pillPath(const QRectF &pill, ScreenDockEdge edge)
{
    // A rounded rectangle whose screen-side half is covered by a square one.
    QPainterPath rounded;
    rounded.addRoundedRect(pill, cornerRadius, cornerRadius);
    QPainterPath square;
    const double half = pill.width() / 2;
    square.addRect(edge == ScreenDockEdge::Left ? QRectF(pill.left(), pill.top(), half, pill.height())
                                                : QRectF(pill.left() + half, pill.top(), half, pill.height()));
    return rounded.united(square);
}

QRectF accentLine(const QRectF &pill, ScreenDockEdge edge)
{
    const double x = edge == ScreenDockEdge::Left ? pill.right() - linePadding - lineSize.width()
                                                  : pill.left() + linePadding;
    return QRectF(QPointF(x, pill.center().y() - lineSize.height() / 2), lineSize);
}

QString symbolName(ScreenDockEdge edge, bool targetedForDrop)
{
    if (targetedForDrop)
        return QStringLiteral("arrow.down.doc.fill");
    return edge == ScreenDockEdge::Left ? QStringLiteral("chevron.right") : QStringLiteral("chevron.left");
}

double springProgress(double seconds)
{
    const double omega = 2 * std::numbers::pi / springResponse;
    const double decay = springDamping * omega;
    const double damped = omega * std::sqrt(1 - springDamping * springDamping);
    return 1 - std::exp(-decay * seconds) * (std::cos(damped * seconds) + decay / damped * std::sin(damped * seconds));
}

} // namespace WhisperNotch
