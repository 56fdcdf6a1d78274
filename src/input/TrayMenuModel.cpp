#include "input/TrayMenuModel.h"

#include "state/AppVersion.h"

namespace TrayMenuModel {

QList<Row> rows(ScreenDockEdge dockEdge)
{
    Row separator;
    separator.isSeparator = true;
    const QString dockRow = dockEdge == ScreenDockEdge::Right ? QStringLiteral("Switch Screen Dock to Left Edge")
                                                              : QStringLiteral("Switch Screen Dock to Right Edge");
    return {
        {false, AppVersion::fullDisplayString, {}, false},
        separator,
        {false, QStringLiteral("Toggle Orvane"), QStringLiteral("Alt+S"), true, Action::TogglePanel},
        {false, QStringLiteral("Capture Selection to AI"), QStringLiteral("Alt+A"), true, Action::Capture},
        {false, QStringLiteral("Command Palette..."), QStringLiteral("Ctrl+K"), true, Action::OpenCommandPalette},
        separator,
        {false, QStringLiteral("Scratchpad & Math"), QStringLiteral("Ctrl+1"), true, Action::OpenScratchpad},
        {false, QStringLiteral("Drop Shelf"), QStringLiteral("Ctrl+2"), true, Action::OpenDropShelf},
        {false, QStringLiteral("Hibernate Inactive Tabs"), {}, true, Action::HibernateInactiveTabs},
        {false, dockRow, {}, true, Action::FlipDockEdge},
        separator,
        {false, QStringLiteral("Quit Orvane"), QStringLiteral("Ctrl+Q"), true, Action::Quit},
    };
}

QString toolTip(int unreadCount)
{
    return unreadCount > 0 ? QStringLiteral("Orvane \u2014 %1 unread").arg(unreadCount) : QStringLiteral("Orvane");
}

} // namespace TrayMenuModel
