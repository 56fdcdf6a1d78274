#pragma once

#include "theme/AppThemeMode.h"

#include <QObject>
#include <QPalette>

#include <optional>

class SettingsModel;

// What Qt draws itself (menus: the tab menu, the tray menu where Qt draws
// it; scroll bars; plain buttons; the file chooser) takes the theme's
// colours from the application palette, set anew when the theme changes.
// Tooltips keep the colours they have: they are styled on their own.
class WidgetPalette final : public QObject
{
    Q_OBJECT

public:
    explicit WidgetPalette(const SettingsModel &settings, QObject *parent = nullptr);

    // `base` gives the roles the theme leaves alone.
    static QPalette of(AppThemeMode theme, const QPalette &base);

private:
    void apply();

    const SettingsModel &m_settings;
    std::optional<AppThemeMode> m_applied;
};
