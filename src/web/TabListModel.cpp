#include "web/TabListModel.h"

#include "platform/Clock.h"
#include "platform/KeyValueStore.h"
#include "state/PanelContent.h"
#include "state/PanelNotice.h"
#include "web/TabList.h"
#include "web/TabListJson.h"

#include <algorithm>
#include <numeric>

namespace {
const QString tabsKey = QStringLiteral("Orvane_Tabs");
// Where an unreadable tab list goes before a save replaces it.
const QString unreadableTabsKey = QStringLiteral("Orvane_TabsUnreadable");
} // namespace

TabListModel::TabListModel(KeyValueStore &store, Clock &clock, PanelContent &content, PanelNotice &notice,
                           QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_clock(clock)
    , m_content(content)
    , m_notice(notice)
    , m_tabs(TabModel::defaultTabs(clock.now()))
{
    // However a tab comes on screen (selected, the next one after a removal,
    // the first one at start), it is no longer asleep: its page is about to
    // exist, and a flag saying otherwise would keep the sweep away from it.
    connect(&m_content, &PanelContent::activeItemChanged, this, &TabListModel::wakeActiveTab);
}

void TabListModel::wakeActiveTab()
{
    const ActiveSidebarItem &item = m_content.activeItem();
    const qsizetype index = item.isWebTab() ? TabList::indexOf(m_tabs, item.tabId()) : -1;
    if (index < 0 || !m_tabs.at(index).isHibernated)
        return;
    m_tabs[index].isHibernated = false;
    Q_EMIT changed();
}

void TabListModel::load()
{
    if (!m_store.contains(tabsKey))
        return;
    // A hand-edited list may not even be text (an unquoted list reads as a
    // string list): whatever it is, it is kept as it was.
    const auto data = m_store.dataValue(tabsKey);
    auto decoded = data ? TabListJson::decode(*data, m_clock.now()) : std::nullopt;
    if (!decoded) {
        m_unreadableTabs = m_store.rawValue(tabsKey);
        return;
    }
    if (decoded->isEmpty())
        return;
    const bool migrated = TabList::migrateIconKeys(*decoded);
    m_tabs = *decoded;
    Q_EMIT changed();
    m_content.setActiveItem(ActiveSidebarItem::webTab(m_tabs.constFirst().id));
    if (migrated)
        save();
}

void TabListModel::save()
{
    // The user's old list may still be recoverable by hand; never lose it to
    // the first save after it failed to load.
    if (m_unreadableTabs) {
        // Earlier unreadable lists stay where they are.
        QString key = unreadableTabsKey;
        for (int n = 2; m_store.contains(key); ++n)
            key = unreadableTabsKey + QString::number(n);
        m_store.setRawValue(key, *m_unreadableTabs);
        m_unreadableTabs.reset();
    }
    m_store.setData(tabsKey, TabListJson::encode(m_tabs));
}

std::optional<TabModel> TabListModel::activeTab() const
{
    const ActiveSidebarItem &item = m_content.activeItem();
    if (!item.isWebTab())
        return std::nullopt;
    const qsizetype index = TabList::indexOf(m_tabs, item.tabId());
    return index < 0 ? std::nullopt : std::optional(m_tabs.at(index));
}

void TabListModel::selectTab(const QUuid &id)
{
    m_content.setShowSettingsModal(false);
    m_content.setActiveItem(ActiveSidebarItem::webTab(id));
    const qsizetype index = TabList::indexOf(m_tabs, id);
    if (index < 0)
        return;
    TabModel &tab = m_tabs[index];
    tab.lastActiveDate = m_clock.now();
    tab.isHibernated = false;
    Q_EMIT changed();
}

void TabListModel::addTab(const QString &title, const QUrl &url, const QString &iconName, bool isAI)
{
    m_content.setShowSettingsModal(false);
    m_tabs.append(TabList::makeTab(title, url, iconName, isAI, m_clock.now()));
    Q_EMIT changed();
    m_content.setActiveItem(ActiveSidebarItem::webTab(m_tabs.constLast().id));
    save();
}

void TabListModel::removeTab(const QUuid &id)
{
    const qsizetype index = TabList::indexOf(m_tabs, id);
    if (index < 0)
        return;
    const TabModel removed = m_tabs.takeAt(index);
    Q_EMIT changed();
    const bool wasActive = m_content.activeItem() == ActiveSidebarItem::webTab(id);
    if (wasActive) {
        m_content.setActiveItem(m_tabs.isEmpty() ? ActiveSidebarItem::scratchpad()
                                                 : ActiveSidebarItem::webTab(m_tabs.constFirst().id));
    }
    save();
    m_notice.offerUndo(QStringLiteral("Removed %1").arg(removed.title),
                       [this, removed, index, wasActive] { restoreTab(removed, index, wasActive); });
}

void TabListModel::restoreTab(const TabModel &tab, qsizetype index, bool makeActive)
{
    if (TabList::indexOf(m_tabs, tab.id) >= 0)
        return;
    m_tabs.insert(std::clamp(index, qsizetype(0), m_tabs.size()), tab);
    Q_EMIT changed();
    if (makeActive)
        m_content.setActiveItem(ActiveSidebarItem::webTab(tab.id));
    save();
}

void TabListModel::moveTabUp(const QUuid &id)
{
    changeAndSave([&](QList<TabModel> &tabs) { return TabList::moveUp(tabs, id); });
}

void TabListModel::moveTabDown(const QUuid &id)
{
    changeAndSave([&](QList<TabModel> &tabs) { return TabList::moveDown(tabs, id); });
}

void TabListModel::reorderTabs(const QUuid &from, const QUuid &to)
{
    changeAndSave([&](QList<TabModel> &tabs) { return TabList::reorder(tabs, from, to); });
}

// Saved like every other reordering, so the rail's order survives a restart.
void TabListModel::moveTabs(const QList<qsizetype> &indexes, qsizetype destination)
{
    changeAndSave([&](QList<TabModel> &tabs) { return TabList::moveIndexes(tabs, indexes, destination); });
}

void TabListModel::toggleUserAgent(const QUuid &id)
{
    changeAndSave([&](QList<TabModel> &tabs) {
        const qsizetype index = TabList::indexOf(tabs, id);
        if (index < 0)
            return false;
        UserAgentMode &mode = tabs[index].userAgentMode;
        mode = mode == UserAgentMode::Desktop ? UserAgentMode::Mobile : UserAgentMode::Desktop;
        return true;
    });
}

void TabListModel::setTabIsAIProvider(const QUuid &id, bool isAIProvider)
{
    changeAndSave([&](QList<TabModel> &tabs) {
        const qsizetype index = TabList::indexOf(tabs, id);
        if (index < 0 || tabs[index].isAIProvider == isAIProvider)
            return false;
        tabs[index].isAIProvider = isAIProvider;
        return true;
    });
}

void TabListModel::setTabHibernated(const QUuid &id, bool hibernated)
{
    const qsizetype index = TabList::indexOf(m_tabs, id);
    if (index < 0)
        return;
    if (hibernated)
        m_tabs[index].isHibernated = true;
    else
        wake(m_tabs[index]);
    Q_EMIT changed();
}

void TabListModel::wakeAllTabs()
{
    bool woke = false;
    for (TabModel &tab : m_tabs) {
        woke = woke || tab.isHibernated;
        wake(tab);
    }
    if (woke)
        Q_EMIT changed();
}

void TabListModel::wake(TabModel &tab)
{
    if (!tab.isHibernated)
        return;
    tab.isHibernated = false;
    tab.lastActiveDate = m_clock.now();
}

void TabListModel::setTabUnreadCount(const QUuid &id, int count)
{
    const qsizetype index = TabList::indexOf(m_tabs, id);
    if (index < 0 || m_tabs.at(index).unreadCount == count)
        return;
    m_tabs[index].unreadCount = count;
    Q_EMIT changed();
}

int TabListModel::totalUnreadCount() const
{
    return std::accumulate(m_tabs.cbegin(), m_tabs.cend(), 0,
                           [](int sum, const TabModel &tab) { return sum + tab.unreadCount; });
}

void TabListModel::zoomTab(const QUuid &id, Zoom change)
{
    changeAndSave([&](QList<TabModel> &tabs) {
        const qsizetype index = TabList::indexOf(tabs, id);
        if (index < 0)
            return false;
        int &percent = tabs[index].zoomPercent();
        const int before = percent;
        switch (change) {
        case Zoom::In: percent = ZoomSteps::larger(percent); break;
        case Zoom::Out: percent = ZoomSteps::smaller(percent); break;
        case Zoom::Reset: percent = ZoomSteps::normal; break;
        }
        return percent != before;
    });
}

void TabListModel::updateTabWebMetadata(const QUuid &tabId, const QUrl &currentURL, const QString &title,
                                        const std::optional<QUrl> &extractedIconURL)
{
    changeAndSave([&](QList<TabModel> &tabs) {
        const qsizetype index = TabList::indexOf(tabs, tabId);
        return index >= 0 && TabList::applyWebMetadata(tabs[index], currentURL, title, extractedIconURL);
    });
}
