#include "input/TrayItem.h"

#include "input/PanelCommands.h"
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

    m_icon = std::make_unique<QSystemTrayIcon>(TrayGlyph::icon());
    showUnreadCount();
    connect(&m_tabs, &TabListModel::changed, this, &TrayItem::showUnreadCount);
    m_icon->setContextMenu(m_menu.get());
    // Queued: the toggle runs as its own task once the click is over.
    connect(m_icon.get(), &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger)
                    m_visibility.toggleFromOutside();
            },
            Qt::QueuedConnection);
    m_icon->show();

    // A tray that starts after Orvane would never learn of an icon made
    // before it: show the icon again when one appears.
    m_trayHostWatcher = std::make_unique<QDBusServiceWatcher>(
        QStringLiteral("org.kde.StatusNotifierWatcher"), QDBusConnection::sessionBus(),
        QDBusServiceWatcher::WatchForRegistration);
    connect(m_trayHostWatcher.get(), &QDBusServiceWatcher::serviceRegistered, this, [this] {
        m_icon->hide();
        m_icon->show();
    });
}

void TrayItem::showUnreadCount()
{
    const QString text = TrayMenuModel::toolTip(m_tabs.totalUnreadCount());
    if (m_icon->toolTip() != text)
        m_icon->setToolTip(text);
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
