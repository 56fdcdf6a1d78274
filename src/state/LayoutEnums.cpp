#include "state/LayoutEnums.h"

namespace Layout {

namespace {
template<typename Enum, std::size_t N>
std::optional<Enum> fromRaw(const std::array<Enum, N> &all, const QString &raw)
{
    for (Enum value : all) {
        if (rawValue(value) == raw)
            return value;
    }
    return std::nullopt;
}
} // namespace

QString rawValue(ScreenDockEdge edge)
{
    return edge == ScreenDockEdge::Right ? QStringLiteral("right") : QStringLiteral("left");
}

QString displayName(ScreenDockEdge edge)
{
    return edge == ScreenDockEdge::Right ? QStringLiteral("Right Edge of Screen") : QStringLiteral("Left Edge of Screen");
}

QString rawValue(PanelEdge edge)
{
    return edge == PanelEdge::Right ? QStringLiteral("Right") : QStringLiteral("Left");
}

QString rawValue(RailSidePreference preference)
{
    switch (preference) {
    case RailSidePreference::AutoMatch:
        return QStringLiteral("Auto (Match Theme)");
    case RailSidePreference::Right:
        return QStringLiteral("Right (Screen Orvane)");
    case RailSidePreference::Left:
        return QStringLiteral("Left (Traditional)");
    }
    Q_UNREACHABLE();
}

std::optional<ScreenDockEdge> screenDockEdgeFromRaw(const QString &raw)
{
    return fromRaw(allScreenDockEdges, raw);
}

std::optional<PanelEdge> panelEdgeFromRaw(const QString &raw)
{
    return fromRaw(allPanelEdges, raw);
}

std::optional<RailSidePreference> railSidePreferenceFromRaw(const QString &raw)
{
    return fromRaw(allRailSidePreferences, raw);
}

} // namespace Layout
