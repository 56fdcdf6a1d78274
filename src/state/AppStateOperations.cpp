// The tab, shelf and prompt-routing operations of AppState.
#include "state/AppState.h"

#include "platform/Clock.h"
#include "web/TabList.h"

#include <algorithm>

std::optional<TabModel> AppState::activeTab() const
{
    if (!m_activeItem.isWebTab())
        return std::nullopt;
    const qsizetype index = TabList::indexOf(m_tabs, m_activeItem.tabId());
    return index < 0 ? std::nullopt : std::optional(m_tabs.at(index));
}

void AppState::selectTab(const QUuid &id)
{
    setShowSettingsModal(false);
    setActiveItem(ActiveSidebarItem::webTab(id));
    const qsizetype index = TabList::indexOf(m_tabs, id);
    if (index < 0)
        return;
    TabModel &tab = m_tabs[index];
    tab.lastActiveDate = m_clock.now();
    tab.isHibernated = false;
    Q_EMIT tabsChanged();
}

void AppState::addTab(const QString &title, const QUrl &url, const QString &iconName, bool isAI)
{
    setShowSettingsModal(false);
    m_tabs.append(TabList::makeTab(title, url, iconName, isAI, m_clock.now()));
    Q_EMIT tabsChanged();
    setActiveItem(ActiveSidebarItem::webTab(m_tabs.constLast().id));
    saveTabs();
}

void AppState::removeTab(const QUuid &id)
{
    const qsizetype index = TabList::indexOf(m_tabs, id);
    if (index < 0)
        return;
    m_tabs.removeAt(index);
    Q_EMIT tabsChanged();
    if (m_activeItem == ActiveSidebarItem::webTab(id)) {
        setActiveItem(m_tabs.isEmpty() ? ActiveSidebarItem::scratchpad()
                                       : ActiveSidebarItem::webTab(m_tabs.constFirst().id));
    }
    saveTabs();
}

void AppState::moveTabUp(const QUuid &id)
{
    if (TabList::moveUp(m_tabs, id)) {
        Q_EMIT tabsChanged();
        saveTabs();
    }
}

void AppState::moveTabDown(const QUuid &id)
{
    if (TabList::moveDown(m_tabs, id)) {
        Q_EMIT tabsChanged();
        saveTabs();
    }
}

void AppState::reorderTabs(const QUuid &from, const QUuid &to)
{
    if (TabList::reorder(m_tabs, from, to)) {
        Q_EMIT tabsChanged();
        saveTabs();
    }
}

// Saved like every other reordering, so the rail's order survives a restart.
void AppState::moveTabs(const QList<qsizetype> &indexes, qsizetype destination)
{
    if (TabList::moveIndexes(m_tabs, indexes, destination)) {
        Q_EMIT tabsChanged();
        saveTabs();
    }
}

void AppState::toggleUserAgent(const QUuid &id)
{
    const qsizetype index = TabList::indexOf(m_tabs, id);
    if (index < 0)
        return;
    TabModel &tab = m_tabs[index];
    tab.userAgentMode = tab.userAgentMode == UserAgentMode::Desktop ? UserAgentMode::Mobile : UserAgentMode::Desktop;
    Q_EMIT tabsChanged();
    saveTabs();
}

void AppState::setTabHibernated(const QUuid &id)
{
    const qsizetype index = TabList::indexOf(m_tabs, id);
    if (index < 0)
        return;
    m_tabs[index].isHibernated = true;
    Q_EMIT tabsChanged();
}

void AppState::updateTabWebMetadata(const QUuid &tabId, const QUrl &currentURL, const QString &title,
                                    const std::optional<QUrl> &extractedIconURL)
{
    const qsizetype index = TabList::indexOf(m_tabs, tabId);
    if (index < 0)
        return;
    if (TabList::applyWebMetadata(m_tabs[index], currentURL, title, extractedIconURL)) {
        Q_EMIT tabsChanged();
        saveTabs();
    }
}

// --- Drop shelf ---

void AppState::setDropItems(const QList<DropItem> &items)
{
    m_dropItems = items;
    Q_EMIT dropItemsChanged();
}

void AppState::addDropItems(const QList<DropItem> &items)
{
    m_dropItems = items + m_dropItems;
    Q_EMIT dropItemsChanged();
    setShowSettingsModal(false);
    setActiveItem(ActiveSidebarItem::dropShelf());
}

void AppState::removeDropItem(const QUuid &id)
{
    m_dropItems.removeIf([&](const DropItem &item) { return item.id == id; });
    Q_EMIT dropItemsChanged();
}

void AppState::clearDropShelf()
{
    m_dropItems.clear();
    Q_EMIT dropItemsChanged();
}

// --- AI ---

void AppState::triggerContextAI(const CapturedContext &context, const std::optional<QString> &action)
{
    setCapturedContext(context);
    m_stagedPromptAction = action;
    Q_EMIT stagedPromptActionChanged();
    setShowSettingsModal(false);

    const auto active = activeTab();
    if (!active || !active->isAIProvider) {
        const auto ai = std::find_if(m_tabs.cbegin(), m_tabs.cend(), [](const TabModel &tab) { return tab.isAIProvider; });
        if (ai != m_tabs.cend())
            selectTab(ai->id);
        else if (!m_tabs.isEmpty())
            selectTab(m_tabs.constFirst().id);
    }
    setIsPanelVisible(true);
}
