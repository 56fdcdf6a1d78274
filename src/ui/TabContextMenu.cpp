#include "ui/TabContextMenu.h"

#include "web/HibernationEngine.h"
#include "web/TabList.h"
#include "web/TabListModel.h"

namespace TabContextMenu {

QList<Entry> entries(const TabModel &tab, qsizetype index, qsizetype tabCount)
{
    const bool mobile = tab.userAgentMode == UserAgentMode::Mobile;
    return {
        {Action::MoveUp, QStringLiteral("Move Up"), index > 0},
        {Action::MoveDown, QStringLiteral("Move Down"), index < tabCount - 1},
        {},
        {Action::ToggleUserAgent, mobile ? QStringLiteral("Switch to Desktop View") : QStringLiteral("Switch to Mobile View")},
        {Action::ToggleAIProvider, tab.isAIProvider ? QStringLiteral("Stop Using as AI Tab") : QStringLiteral("Use as AI Tab")},
        {Action::Reload, QStringLiteral("Reload")},
        {Action::HibernateOrWake, tab.isHibernated ? QStringLiteral("Wake Tab") : QStringLiteral("Hibernate Tab")},
        {},
        {Action::Remove, QStringLiteral("Remove Tab"), true, true},
    };
}

void run(Action action, const QUuid &tabId, TabListModel &tabs, HibernationEngine &engine)
{
    const qsizetype index = TabList::indexOf(tabs.tabs(), tabId);
    if (index < 0)
        return;
    const TabModel tab = tabs.tabs().at(index);
    switch (action) {
    case Action::MoveUp:
        tabs.moveTabUp(tabId);
        break;
    case Action::MoveDown:
        tabs.moveTabDown(tabId);
        break;
    case Action::ToggleUserAgent:
        tabs.toggleUserAgent(tabId);
        break;
    case Action::ToggleAIProvider:
        tabs.setTabIsAIProvider(tabId, !tab.isAIProvider);
        break;
    case Action::Reload:
        engine.reload(tab);
        break;
    case Action::HibernateOrWake:
        if (tab.isHibernated)
            tabs.setTabHibernated(tabId, false);
        else
            engine.hibernateTab(tabId);
        break;
    case Action::Remove:
        tabs.removeTab(tabId);
        break;
    }
}

} // namespace TabContextMenu
