#include "input/TrayItem.h"

#include "input/PanelCommands.h"
#include "input/StatusNotifierItem.h"
#include "input/TrayGlyph.h"
#include "input/TrayMenuModel.h"
#include "panel/PanelVisibilityPolicy.h"
#include "state/SettingsModel.h"
#include "web/TabListModel.h"

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QMenu>
#include <QSystemTrayIcon>

TrayItem::TrayItem(const SettingsModel &settings, const TabListModel &tabs, PanelCommands &commands,
                   PanelVisibilityPolicy &visibility, QObject *parent)
    : QObject(parent), m_settings(settings), m_tabs(tabs), m_commands(commands), m_visibility(visibility)
{
}

TrayItem::~TrayItem() = default;

void TrayItem::setup()
{
    m_menu = std::make_unique<QMenu>();
    connect(m_menu.get(), &QMenu::aboutToShow, this, &TrayItem::rebuildMenu);
    rebuildMenu();
    if (StatusNotifierItem::isHostRunning())
        showInStatusNotifierTray();
    else
        showInEmbeddingTray();
    connect(&m_tabs, &TabListModel::changed, this, &TrayItem::showUnreadCount);

    // A tray that starts after Orvane would never learn of an item made
    // before it: offer the item again when one appears.
    m_trayHostWatcher = std::make_unique<QDBusServiceWatcher>(
        QLatin1String(StatusNotifierItem::watcherService), QDBusConnection::sessionBus(),
        QDBusServiceWatcher::WatchForRegistration);
    connect(m_trayHostWatcher.get(), &QDBusServiceWatcher::serviceRegistered, this, [this] {
        if (m_item) {
            m_item->registerWithHost();
            return;
        }
        m_embeddedIcon.reset();
        showInStatusNotifierTray();
    });
}

void TrayItem::showInStatusNotifierTray()
{
    m_item = std::make_unique<StatusNotifierItem>(*m_menu, TrayGlyph::sizes(TrayGlyph::Mark::None),
                                                  TrayGlyph::sizes(TrayGlyph::Mark::Unread));
    connect(m_item.get(), &StatusNotifierItem::menuAboutToShow, this, &TrayItem::rebuildMenu);
    // Queued: the toggle runs as its own task once the tray's call is answered.
    connect(m_item.get(), &StatusNotifierItem::activated, &m_visibility, &PanelVisibilityPolicy::toggleFromOutside,
            Qt::QueuedConnection);
    showUnreadCount();
    if (!m_item->publish()) {
        qWarning("The session bus refused the tray item; trying an embedding tray.");
        m_item.reset();
        showInEmbeddingTray();
    }
}

void TrayItem::showInEmbeddingTray()
{
    m_embeddedIcon = std::make_unique<QSystemTrayIcon>();
    m_embeddedIcon->setContextMenu(m_menu.get());
    // Queued: the toggle runs as its own task once the click is over.
    connect(m_embeddedIcon.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    m_visibility.toggleFromOutside();
            },
            Qt::QueuedConnection);
    showUnreadCount();
    m_embeddedIcon->show();
}

void TrayItem::showUnreadCount()
{
    const int unread = m_tabs.totalUnreadCount();
    const QString text = TrayMenuModel::toolTip(unread);
    if (m_item) {
        m_item->setToolTip(text);
        m_item->setNeedsAttention(unread > 0);
        return;
    }
    if (m_embeddedIcon->toolTip() != text) {
        m_embeddedIcon->setToolTip(text);
        // An embedding tray has no attention state: the dot is the sign.
        m_embeddedIcon->setIcon(TrayGlyph::icon(unread > 0 ? TrayGlyph::Mark::Unread : TrayGlyph::Mark::None));
    }
}

void TrayItem::rebuildMenu()
{
    using TrayMenuModel::Action;
    m_menu->clear();
    const QList<TrayMenuModel::Row> rows = TrayMenuModel::rows(m_settings.values().screenDockEdge);
    for (const TrayMenuModel::Row &row : rows) {
        if (row.isSeparator) {
            m_menu->addSeparator();
            continue;
        }
        // A lone "&" would mark the next letter as the row's mnemonic.
        QAction *action = m_menu->addAction(QString(row.title).replace(QLatin1Char('&'), QLatin1String("&&")));
        action->setEnabled(row.enabled);
        if (!row.shortcut.isEmpty()) {
            action->setShortcut(QKeySequence(row.shortcut, QKeySequence::PortableText));
            action->setShortcutVisibleInContextMenu(true);
        }
        const Action what = row.action;
        connect(action, &QAction::triggered, this,
                [this, what] {
                    switch (what) {
                    case Action::None: break;
                    case Action::TogglePanel: m_commands.togglePanel(); break;
                    case Action::Capture: m_commands.capture(); break;
                    case Action::OpenCommandPalette: m_commands.openCommandPalette(); break;
                    case Action::OpenScratchpad: m_commands.openScratchpad(); break;
                    case Action::OpenDropShelf: m_commands.openDropShelf(); break;
                    case Action::HibernateInactiveTabs: m_commands.hibernateInactiveTabs(); break;
                    case Action::FlipDockEdge: m_commands.flipDockEdge(); break;
                    case Action::Quit: m_commands.quit(); break;
                    }
                },
                Qt::QueuedConnection);
    }
}
