#include "ui/ThemedToolTips.h"

#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"

#include <QPalette>
#include <QToolTip>

ThemedToolTips::ThemedToolTips(const SettingsModel &settings, QObject *parent) : QObject(parent), m_settings(settings)
{
    connect(&m_settings, &SettingsModel::changed, this, &ThemedToolTips::apply);
    apply();
}

void ThemedToolTips::apply()
{
    const ThemePalette &theme = OrvaneTheme::palette(m_settings.values().currentTheme);
    QPalette palette = QToolTip::palette();
    // A tooltip is a window of its own: its background must be opaque.
    QColor background = theme.dialogBackground;
    background.setAlpha(255);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        palette.setColor(group, QPalette::ToolTipBase, background);
        palette.setColor(group, QPalette::ToolTipText, theme.textPrimary);
    }
    QToolTip::setPalette(palette);
}
