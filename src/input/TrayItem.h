#pragma once

#include <QObject>

#include <memory>

class PanelCommands;
class PanelVisibilityPolicy;
class QDBusServiceWatcher;
class QMenu;
class QSystemTrayIcon;
class SettingsModel;
class StatusNotifierItem;
class TabListModel;

// The tray item: a left click toggles the panel, a right click opens the
// menu of TrayMenuModel, built anew each time it opens. Its tooltip counts
// the tabs' unread messages, and while there are any the item asks for
// attention. A StatusNotifierItem tray gets an item of our own; without
// one, QSystemTrayIcon puts an icon in an older (XEmbed) tray.
class TrayItem final : public QObject
{
    Q_OBJECT

public:
    TrayItem(const SettingsModel &settings, const TabListModel &tabs, PanelCommands &commands,
             PanelVisibilityPolicy &visibility, QObject *parent = nullptr);
    ~TrayItem() override;

    void setup();

private:
    void showInStatusNotifierTray();
    void showInEmbeddingTray();
    void rebuildMenu();
    void showUnreadCount();

    const SettingsModel &m_settings;
    const TabListModel &m_tabs;
    PanelCommands &m_commands;
    PanelVisibilityPolicy &m_visibility;
    std::unique_ptr<QMenu> m_menu;
    std::unique_ptr<StatusNotifierItem> m_item;
    std::unique_ptr<QSystemTrayIcon> m_embeddedIcon;
    std::unique_ptr<QDBusServiceWatcher> m_trayHostWatcher;
};
