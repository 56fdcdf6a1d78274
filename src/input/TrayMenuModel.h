#pragma once

#include "state/LayoutEnums.h"

#include <QList>
#include <QString>

// The rows of the tray item's menu, made anew each time it opens.
namespace TrayMenuModel {

enum class Action {
    None,
    TogglePanel,
    Capture,
    OpenCommandPalette,
    OpenScratchpad,
    OpenDropShelf,
    HibernateInactiveTabs,
    FlipDockEdge,
    Quit,
};

struct Row
{
    bool isSeparator = false;
    QString title;
    // The shortcut shown beside the title ("Alt+S"); empty for none.
    QString shortcut;
    bool enabled = true;
    Action action = Action::None;

    bool operator==(const Row &) const = default;
};

// Twelve rows; the dock-edge row offers the edge the panel is not on.
QList<Row> rows(ScreenDockEdge dockEdge);

// "Orvane", with the unread count of every tab while there is one.
QString toolTip(int unreadCount);

} // namespace TrayMenuModel
