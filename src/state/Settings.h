#pragma once

#include "state/LayoutEnums.h"
#include "theme/AppThemeMode.h"

#include <QString>

#include <optional>

// The user's persisted settings, with their first-run values.
struct Settings
{
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
