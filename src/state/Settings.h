#pragma once

#include "state/LayoutEnums.h"
#include "theme/AppThemeMode.h"

#include <QString>

#include <optional>

// The user's persisted settings, with their first-run values.
struct Settings
{
    // The panel's width stays within these wherever it comes from: the
    // settings file, a URL command, the slider or a drag of its side.
    static constexpr double minimumPanelWidth = 300;
    static constexpr double maximumPanelWidth = 1400;

    bool isPinned = false;
    double panelWidth = 440;
    std::optional<double> panelCustomHeight;
    std::optional<double> panelTopOffset;
    double animationDuration = 0.25;
    QString animationCurve = QStringLiteral("Spring");
    bool autoHideOnMouseExit = true;
    double autoHideDelay = 0.35;
    bool edgeHoverEnabled = true;
    bool showDeviceToggleInHeader = false;
    bool showEdgeIndicator = true;
    bool edgeRetouchToHide = true;
    ScreenDockEdge screenDockEdge = ScreenDockEdge::Right;
    AppThemeMode currentTheme = AppThemeMode::Paper;
    bool followSystemTheme = true;
    RailSidePreference railSidePreference = RailSidePreference::AutoMatch;
    bool showMemoryInFooter = false;

    bool operator==(const Settings &) const = default;
};
