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
//
// A tab flagged asleep never has a page: making one wakes the tab, and
// putting a tab to sleep drops its page (and with the last page its renderer
// process). An awake tab may have no page yet; it loads when it is shown.
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

    // The tab's page, created and loading the tab's address when there is
    // none, which wakes a sleeping tab.
    WebPage &getOrCreateWebView(const TabModel &tab);
    // The pooled page, if the tab has one.
    WebPage *existingWebView(const QUuid &tabId) const;
    void reload(const TabModel &tab);
    // Applies a changed user agent mode: the page moves to the other identity
    // and loads the tab's address. Returns whether anything changed.
    bool applyUserAgentMode(const TabModel &tab);

    // Searches the tab's live page; findResult reports the counts. An empty
    // text ends the search.
    void find(const QUuid &tabId, const QString &text, bool backward);

    // The shown page leaves full screen and the panel shows its rail and bars.
    void exitFullScreen();

    void startMonitoring();
    void hibernateTab(const QUuid &id);
    void hibernateAllInactive();
    // Every tab is marked awake; none is loaded before it is shown, so waking
    // all costs no memory until then.
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

Q_SIGNALS:
    // The counts of a search in the tab's page arrived.
    void findResult(const QUuid &tabId, WebPage::FindResult result);

Q_SIGNALS:
    // The tab's page asks for its menu at that place on the screen.
    void pageMenuAsked(const QUuid &tabId, const WebPage::MenuRequest &request, QPoint globalPosition);

private:
    void checkAndHibernateInactiveTabs();
    void navigationFinished(const QUuid &tabId);
    void answerPermission(const QUrl &origin, WebPage::Feature feature, const std::function<void(bool)> &answer);
    void releasePage(const QUuid &id);
    // The panel stays while any page has a window of its own up.
    void updatePanelHold();
    void releasePagesOfRemovedTabs();
    // Each live page shows its tab's zoom for the tab's present identity.
    void applyZoom();
    void keepLivePagesBounded(const QUuid &justCreated);
    std::optional<QUuid> activeTabId() const;

    AppState &m_state;
    Clock &m_clock;
    WebPageFactory &m_factory;
    std::map<QUuid, std::unique_ptr<WebPage>> m_pool;
    std::unique_ptr<TimerHandle> m_timer;
};
