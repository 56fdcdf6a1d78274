#include "ui/WidgetPalette.h"

#include "state/SettingsModel.h"
#include "theme/OrvaneTheme.h"

#include <QApplication>

namespace {
QColor over(const QColor &top, const QColor &below)
{
    const float alpha = top.alphaF();
    return QColor::fromRgbF(top.redF() * alpha + below.redF() * (1 - alpha),
                            top.greenF() * alpha + below.greenF() * (1 - alpha),
                            top.blueF() * alpha + below.blueF() * (1 - alpha));
}
} // namespace

WidgetPalette::WidgetPalette(const SettingsModel &settings, QObject *parent) : QObject(parent), m_settings(settings)
{
    connect(&m_settings, &SettingsModel::changed, this, &WidgetPalette::apply);
    apply();
}

QPalette WidgetPalette::of(AppThemeMode theme, const QPalette &base)
{
    const ThemePalette &colours = OrvaneTheme::palette(theme);
    // Qt's widgets are opaque: the translucent roles as they show over the
    // dark or light desktop the theme is made for.
    const QColor window = over(colours.panelBackground, isLight(theme) ? Qt::white : Qt::black);
    const QColor line = over(colours.border, window);
    QPalette palette = base;
    palette.setColor(QPalette::Window, window);
    palette.setColor(QPalette::WindowText, colours.textPrimary);
    palette.setColor(QPalette::Base, colours.dialogBackground);
    palette.setColor(QPalette::AlternateBase, window);
    palette.setColor(QPalette::Text, colours.textPrimary);
    palette.setColor(QPalette::PlaceholderText, colours.textMuted);
    palette.setColor(QPalette::Button, colours.cardBackground());
    palette.setColor(QPalette::ButtonText, colours.textPrimary);
    palette.setColor(QPalette::BrightText, colours.onAccentText);
    palette.setColor(QPalette::Highlight, colours.accent);
    palette.setColor(QPalette::HighlightedText, colours.onAccentText);
    palette.setColor(QPalette::Link, colours.accent);
    palette.setColor(QPalette::LinkVisited, colours.accent);
    // The bevels and outlines of frames, scroll bars and buttons.
    palette.setColor(QPalette::Light, colours.cardBackground());
    palette.setColor(QPalette::Midlight, over(colours.border, colours.cardBackground()));
    palette.setColor(QPalette::Mid, line);
    palette.setColor(QPalette::Dark, line.darker(130));
    palette.setColor(QPalette::Shadow, line.darker(180));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, colours.textMuted);
    return palette;
}

void WidgetPalette::apply()
{
    const AppThemeMode theme = m_settings.values().currentTheme;
    if (m_applied == theme)
        return;
    m_applied = theme;
    QApplication::setPalette(of(theme, QApplication::palette()));
}
