#pragma once

#include "platform/WebPage.h"
#include "web/TabModel.h"

#include <QObject>
#include <QUuid>

#include <map>
#include <memory>

class AppState;
class Clock;
class TimerHandle;

// Keeps at most one web page per tab, creates it on first demand, follows
// its address and title into the tab record, and releases the pages of tabs
// left alone for five minutes.
class HibernationEngine final : public QObject
{
    Q_OBJECT

public:
    static constexpr double hibernationThresholdSeconds = 300;
    static constexpr double sweepIntervalSeconds = 60;
    // Live pages at most: the seven first-run tabs and a few more stay awake,
    // a flood of opened addresses does not.
    static constexpr std::size_t maximumLivePages = 10;

    HibernationEngine(AppState &state, Clock &clock, WebPageFactory &factory, QObject *parent = nullptr);
    ~HibernationEngine() override;

    // The tab's page, created and loading the tab's address when there is none.
    WebPage &getOrCreateWebView(const TabModel &tab);
    // The pooled page, if the tab has one.
    WebPage *existingWebView(const QUuid &tabId) const;
    void reload(const TabModel &tab);
    // Applies a changed user agent mode: the page moves to the other identity
    // and loads the tab's address. Returns whether anything changed.
    bool applyUserAgentMode(const TabModel &tab);

    void startMonitoring();
    void hibernateTab(const QUuid &id);
    void hibernateAllInactive();
    // Every tab gets a loaded page; the sleeping flags stay as they are.
    void wakeAllTabs();

    int activeMemoryTabCount() const { return int(m_pool.size()); }
    // The title of the tab's live page as it is now; empty without a page.
    QString pageTitle(const QUuid &tabId) const;

Q_SIGNALS:
    // A live page's title changed, or the tab's page went away.
    void pageTitleChanged(const QUuid &tabId);

Q_SIGNALS:
    // The tab's page changed its address, started a load or met a certificate error.
    void pageSecurityChanged(const QUuid &tabId);

private:
    void checkAndHibernateInactiveTabs();
    void navigationFinished(const QUuid &tabId);
    void releasePage(const QUuid &id);
    void releasePagesOfRemovedTabs();
    void keepLivePagesBounded(const QUuid &justCreated);
    std::optional<QUuid> activeTabId() const;

    AppState &m_state;
    Clock &m_clock;
    WebPageFactory &m_factory;
    std::map<QUuid, std::unique_ptr<WebPage>> m_pool;
    std::unique_ptr<TimerHandle> m_timer;
};
