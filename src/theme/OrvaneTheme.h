#pragma once

#include "theme/AppThemeMode.h"

#include <QColor>

// The colour roles of one theme.
struct ThemePalette
{
    QColor accent;
    QColor onAccentText;
    QColor textPrimary;
    QColor textSecondary;
    QColor textMuted;
    QColor border;
    QColor panelBorder;
    QColor activeBorder;
    QColor panelBackground;
    QColor railBackground;
    QColor statusFooterBackground;
    QColor dialogBackground;
    QColor fileCardBackground;
    QColor composerBackground;
    QColor websiteBackground;
    QColor hibernationColor;
    // Done and granted: "Copied!", the Live Math pill, a granted permission.
    QColor success;

    const QColor &cardBackground() const { return fileCardBackground; }
};

// The current theme's colours and sizes. Views ask on every redraw and never
// keep a colour, so a theme change re-colours everything at once.
namespace OrvaneTheme {

const ThemePalette &palette(AppThemeMode theme);
double railWidth(AppThemeMode theme);

inline constexpr double headerHeight = 50;
inline constexpr double addressBarHeight = 33;
inline constexpr double statusFooterHeight = 28;

// The same in every theme.
inline const QColor shelfBadgeOrange{0xE9, 0x9F, 0x5E};
// White on the orange would be too faint to read.
inline const QColor shelfBadgeInk{0x23, 0x1A, 0x08};

} // namespace OrvaneTheme
