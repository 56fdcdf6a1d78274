#pragma once

#include <QObject>

#include <memory>

class PanelCommands;
class PanelVisibilityPolicy;
class QDBusServiceWatcher;
class QMenu;
class QSystemTrayIcon;
class SettingsModel;
class TabListModel;

// The tray item: a left click toggles the panel, a right click opens the
// menu of TrayMenuModel, built anew each time it opens. Its tooltip counts
// the tabs' unread messages.
class TrayItem final : public QObject
{
    Q_OBJECT

public:
    TrayItem(const SettingsModel &settings, const TabListModel &tabs, PanelCommands &commands,
             PanelVisibilityPolicy &visibility, QObject *parent = nullptr);
    ~TrayItem() override;

    void setup();

private:
    void rebuildMenu();
    void showUnreadCount();

    const SettingsModel &m_settings;
    const TabListModel &m_tabs;
    PanelCommands &m_commands;
    PanelVisibilityPolicy &m_visibility;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<QSystemTrayIcon> m_icon;
    std::unique_ptr<QDBusServiceWatcher> m_trayHostWatcher;
};
