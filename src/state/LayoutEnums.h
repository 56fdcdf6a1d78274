#pragma once

#include <QString>

#include <array>
#include <optional>

// In a namespace of their own; the functions below are found by argument
// lookup, so callers write rawValue(edge) as for any other enumeration.
namespace Layout {

// The screen edge the panel docks to; stored as "right" / "left".
enum class ScreenDockEdge { Right, Left };

// A side of the panel (the rail's side); raw values "Right" / "Left".
enum class PanelEdge { Right, Left };

enum class RailSidePreference { AutoMatch, Right, Left };

inline constexpr std::array allScreenDockEdges = {ScreenDockEdge::Right, ScreenDockEdge::Left};
inline constexpr std::array allPanelEdges = {PanelEdge::Right, PanelEdge::Left};
inline constexpr std::array allRailSidePreferences = {RailSidePreference::AutoMatch, RailSidePreference::Right,
                                                      RailSidePreference::Left};

QString rawValue(ScreenDockEdge edge);
QString displayName(ScreenDockEdge edge);
QString rawValue(PanelEdge edge);
QString rawValue(RailSidePreference preference);

// Exact, case-sensitive matches of the raw values.
std::optional<ScreenDockEdge> screenDockEdgeFromRaw(const QString &raw);
std::optional<PanelEdge> panelEdgeFromRaw(const QString &raw);
std::optional<RailSidePreference> railSidePreferenceFromRaw(const QString &raw);

} // namespace Layout

using Layout::allPanelEdges;
using Layout::allRailSidePreferences;
using Layout::allScreenDockEdges;
using Layout::PanelEdge;
using Layout::RailSidePreference;
using Layout::ScreenDockEdge;
