#pragma once

#include <QObject>

#include <memory>

class PanelCommands;
class PanelVisibilityPolicy;
class QDBusServiceWatcher;
class QMenu;
class QSystemTrayIcon;
class SettingsModel;

// The tray item: a left click toggles the panel, a right click opens the
// menu of TrayMenuModel, built anew each time it opens.
class TrayItem final : public QObject
{
    Q_OBJECT

public:
    TrayItem(const SettingsModel &settings, PanelCommands &commands, PanelVisibilityPolicy &visibility,
             QObject *parent = nullptr);
    ~TrayItem() override;

    void setup();

private:
    void rebuildMenu();

    const SettingsModel &m_settings;
    PanelCommands &m_commands;
    PanelVisibilityPolicy &m_visibility;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    std::unique_ptr<QDBusServiceWatcher> m_trayHostWatcher;
};
