#pragma once

#include "web/TabModel.h"

#include <QObject>

class Clock;
class KeyValueStore;
class PanelContent;
class PanelNotice;

// The web-app tabs of the rail, with their operations and their stored list.
// Selecting, adding and removing a tab also decide what the panel shows.
class TabListModel final : public QObject
{
    Q_OBJECT

public:
    // Starts from the first-run tabs; load() replaces them with the stored list.
    TabListModel(KeyValueStore &store, Clock &clock, PanelContent &content, PanelNotice &notice,
                 QObject *parent = nullptr);

    const QList<TabModel> &tabs() const { return m_tabs; }
    // Reads the stored list (the first-run list stays when there is none or it
    // is unreadable) and shows its first tab.
    void load();

    // The tab of the active item; none for the scratchpad, the shelf or an unknown id.
    std::optional<TabModel> activeTab() const;
    // Makes the tab active even when no tab has the id; does not save.
    void selectTab(const QUuid &id);
    void addTab(const QString &title, const QUrl &url, const QString &iconName, bool isAI);
    // Offers to undo: the tab comes back at its place, active again if it was.
    void removeTab(const QUuid &id);
    // Puts a removed tab back; nothing when a tab has its id.
    void restoreTab(const TabModel &tab, qsizetype index, bool makeActive);
    void moveTabUp(const QUuid &id);
    void moveTabDown(const QUuid &id);
    void reorderTabs(const QUuid &from, const QUuid &to);
    void moveTabs(const QList<qsizetype> &indexes, qsizetype destination);
    void toggleUserAgent(const QUuid &id);
    // Whether the tab takes captured text and prompts: "Use as AI Tab".
    void setTabIsAIProvider(const QUuid &id, bool isAIProvider);
    // Marks the tab as sleeping or not; in memory only, like selecting. A
    // woken tab counts as just used, so that the idle sweep does not put it
    // straight back to sleep.
    void setTabHibernated(const QUuid &id, bool hibernated = true);
    // Wakes every sleeping tab at once (one change).
    void wakeAllTabs();
    // In memory only: the page's title announces it again when it loads.
    void setTabUnreadCount(const QUuid &id, int count);
    // The sum over every tab, asleep or awake.
    int totalUnreadCount() const;
    enum class Zoom { In, Out, Reset };
    // Moves the zoom of the tab's present identity one step, or back to 100 %; saved.
    void zoomTab(const QUuid &id, Zoom change);
    void updateTabWebMetadata(const QUuid &tabId, const QUrl &currentURL, const QString &title,
                              const std::optional<QUrl> &extractedIconURL);

Q_SIGNALS:
    void changed();

private:
    // Applies a list rule; when it changed something, notifies and saves.
    template<typename Rule>
    void changeAndSave(Rule rule)
    {
        if (rule(m_tabs)) {
            Q_EMIT changed();
            save();
        }
    }
    void save();
    void wakeActiveTab();
    void wake(TabModel &tab);

    KeyValueStore &m_store;
    Clock &m_clock;
    PanelContent &m_content;
    PanelNotice &m_notice;
    QList<TabModel> m_tabs;
    // A stored tab list that could not be read, kept until the first save
    // so that it can be set aside instead of being overwritten.
    std::optional<QVariant> m_unreadableTabs;
};
