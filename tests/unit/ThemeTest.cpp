#include "theme/OrvaneTheme.h"

#include <gtest/gtest.h>

namespace {

TEST(Themes, OnlyMidnightPanelIsTranslucent)
{
    EXPECT_EQ(OrvaneTheme::palette(AppThemeMode::Paper).panelBackground, QColor(0xF6, 0xF5, 0xF1));
    const QColor midnight = OrvaneTheme::palette(AppThemeMode::Midnight).panelBackground;
    EXPECT_EQ(midnight.rgb(), QColor(0x0F, 0x17, 0x2A).rgb());
    EXPECT_NEAR(midnight.alphaF(), 0.92, 0.002);
    for (AppThemeMode theme : allThemeModes) {
        if (theme != AppThemeMode::Midnight) {
            EXPECT_EQ(OrvaneTheme::palette(theme).panelBackground.alpha(), 255) << rawValue(theme).toStdString();
        }
    }
}

TEST(Themes, LightnessAndRailWidthFollowTheTheme)
{
    QStringList light;
    for (AppThemeMode theme : allThemeModes) {
        if (isLight(theme))
            light.append(rawValue(theme));
        EXPECT_EQ(OrvaneTheme::railWidth(theme), theme == AppThemeMode::Ember ? 56 : 52);
        EXPECT_EQ(themeFromRaw(rawValue(theme)), theme);
        EXPECT_FALSE(subtitle(theme).isEmpty());
    }
    EXPECT_EQ(light, QStringList({"Paper", "Nickel", "Sage"}));
}

TEST(Themes, PhosphorUsesOneHueAtThreeOpacities)
{
    const ThemePalette &phosphor = OrvaneTheme::palette(AppThemeMode::Phosphor);
    for (const QColor &color : {phosphor.textPrimary, phosphor.textSecondary, phosphor.textMuted})
        EXPECT_EQ(color.rgb(), QColor(0x22, 0xC5, 0x5E).rgb());
    EXPECT_NEAR(phosphor.textPrimary.alphaF(), 1.0, 0.002);
    EXPECT_NEAR(phosphor.textSecondary.alphaF(), 0.70, 0.002);
    EXPECT_NEAR(phosphor.textMuted.alphaF(), 0.40, 0.002);
}

} // namespace
