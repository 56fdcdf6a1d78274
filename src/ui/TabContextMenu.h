#pragma once

#include <QList>
#include <QString>
#include <QUuid>

class HibernationEngine;
class TabListModel;
struct TabModel;

// The context menu of a tab in the rail: its entries in order (with their
// titles and whether they can be chosen) and what each one does.
namespace TabContextMenu {

enum class Action { MoveUp, MoveDown, ToggleUserAgent, ToggleAIProvider, Reload, HibernateOrWake, Remove };

struct Entry
{
    // A divider when none.
    std::optional<Action> action;
    QString title;
    bool enabled = true;
    bool destructive = false;

    bool isSeparator() const { return !action; }
};

QList<Entry> entries(const TabModel &tab, qsizetype index, qsizetype tabCount);
// Waking only clears the flag: the page comes back when the tab is shown.
void run(Action action, const QUuid &tabId, TabListModel &tabs, HibernationEngine &engine);

} // namespace TabContextMenu
