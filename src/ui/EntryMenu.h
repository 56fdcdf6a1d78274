#pragma once

#include <QList>
#include <QMenu>
#include <QPoint>

// Pops up a menu of a screen's entries (each with an optional action, a
// title and whether it can be chosen; a divider where there is no action),
// named `name` for screen readers; choosing an entry calls `choose` with its
// action. Not exec(): the menu must not hold up everything else while it is
// open.
namespace EntryMenu {

template<typename Entry, typename Choose>
void popUp(QWidget *parent, const QString &name, const QList<Entry> &entries, QPoint globalPosition, Choose choose)
{
    auto *menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->setAccessibleName(name);
    for (const Entry &entry : entries) {
        if (entry.isSeparator()) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(entry.title);
        action->setEnabled(entry.enabled);
        QObject::connect(action, &QAction::triggered, parent, [choose, what = *entry.action] { choose(what); });
    }
    menu->popup(globalPosition);
}

} // namespace EntryMenu
