#include "web/HibernationEngine.h"

#include "icons/FaviconCandidates.h"
#include "platform/Clock.h"
#include "state/AppState.h"
#include "web/TabList.h"
#include "web/UnreadCount.h"

#include <QPointer>

#include <algorithm>

HibernationEngine::HibernationEngine(AppState &state, Clock &clock, WebPageFactory &factory, QObject *parent)
    : QObject(parent), m_state(state), m_clock(clock), m_factory(factory)
{
    // Removing a tab gives its page's memory back too.
    connect(&m_state.tabs(), &TabListModel::changed, this, &HibernationEngine::releasePagesOfRemovedTabs);
    connect(&m_state.tabs(), &TabListModel::changed, this, &HibernationEngine::applyZoom);
    // A page in full screen hides the rail and bars: showing anything else ends it.
    connect(&m_state.content(), &PanelContent::activeItemChanged, this, &HibernationEngine::exitFullScreen);
    startMonitoring();
}

HibernationEngine::~HibernationEngine() = default;

WebPage *HibernationEngine::existingWebView(const QUuid &tabId) const
{
    const auto it = m_pool.find(tabId);
    return it == m_pool.end() ? nullptr : it->second.get();
}

WebPage &HibernationEngine::getOrCreateWebView(const TabModel &tab)
{
    if (WebPage *existing = existingWebView(tab.id))
        return *existing;
    const QUuid id = tab.id;
    const QUrl createdAt = tab.url;
    std::unique_ptr<WebPage> page = m_factory.create(tab.userAgentMode);
    WebPage *raw = page.get();
    QPointer<HibernationEngine> self(this);
    // Each observer acts on a later turn, never inside the web engine's own callback.
    WebPage::Observers observers;
    observers.urlChanged = [self, id, raw] {
        self->m_clock.post([self, id, raw] {
            if (!self || self->existingWebView(id) != raw || raw->url().isEmpty())
                return;
            self->m_state.tabs().updateTabWebMetadata(id, raw->url(), raw->title(), std::nullopt);
        });
    };
    observers.titleChanged = [self, id, raw, createdAt] {
        self->m_clock.post([self, id, raw, createdAt] {
            if (!self || self->existingWebView(id) != raw)
                return;
            Q_EMIT self->pageTitleChanged(id);
            if (raw->title().isEmpty())
                return;
            self->m_state.tabs().setTabUnreadCount(id, UnreadCount::fromTitle(raw->title()));
            const QUrl address = raw->url().isEmpty() ? createdAt : raw->url();
            self->m_state.tabs().updateTabWebMetadata(id, address, raw->title(), std::nullopt);
        });
    };
    observers.loadFinished = [self, id] {
        if (self)
            self->navigationFinished(id);
    };
    observers.securityChanged = [self, id, raw] {
        self->m_clock.post([self, id, raw] {
            if (self && self->existingWebView(id) == raw)
                Q_EMIT self->pageSecurityChanged(id);
        });
    };
    observers.holdsPanelChanged = [self] {
        if (self)
            self->m_clock.post([self] {
                if (self)
                    self->updatePanelHold();
            });
    };
    observers.handOverAsked = [self](const QUrl &url, std::function<void()> handOver) {
        if (self)
            self->m_state.notice().show(tr("Open %1 in another application?").arg(url.toDisplayString()), tr("Open"),
                                        std::move(handOver));
    };
    observers.permissionAsked = [self](const QUrl &origin, WebPage::Feature feature, std::function<void(bool)> answer) {
        if (self)
            self->m_clock.post([self, origin, feature, answer = std::move(answer)] {
                if (self)
                    self->answerPermission(origin, feature, answer);
                else
                    answer(false);
            });
        else
            answer(false);
    };
    observers.fullScreenChanged = [self, id](bool on) {
        if (self)
            self->m_clock.post([self, id, on] {
                if (self && self->m_state.content().activeItem() == ActiveSidebarItem::webTab(id))
                    self->m_state.content().setPageFullScreen(on);
            });
    };
    observers.zoomAsked = [self, id](bool larger) {
        if (self)
            self->m_clock.post([self, id, larger] {
                if (self)
                    self->m_state.tabs().zoomTab(id, larger ? TabListModel::Zoom::In : TabListModel::Zoom::Out);
            });
    };
    observers.menuAsked = [self, id, raw](const WebPage::MenuRequest &request, QPoint globalPosition) {
        if (self)
            self->m_clock.post([self, id, raw, request, globalPosition] {
                if (self && self->existingWebView(id) == raw)
                    Q_EMIT self->pageMenuAsked(id, request, globalPosition);
            });
    };
    page->setObservers(std::move(observers));
    page->setZoomPercent(tab.zoomPercent());
    page->load(createdAt);
    m_pool.emplace(id, std::move(page));
    keepLivePagesBounded(id);
    // A running page under a sleeping flag would be counted asleep and passed
    // over by every sweep.
    const QList<TabModel> &tabs = m_state.tabs().tabs();
    if (const qsizetype index = TabList::indexOf(tabs, id); index >= 0 && tabs.at(index).isHibernated)
        m_state.tabs().setTabHibernated(id, false);
    return *raw;
}

// Any web page can fire orvane://open, so the number of tabs can grow fast;
// each live page costs a renderer process. Beyond the bound, the background
// tab used least recently goes to sleep, as the sweep would send it later.
void HibernationEngine::keepLivePagesBounded(const QUuid &justCreated)
{
    const auto active = activeTabId();
    while (m_pool.size() > maximumLivePages) {
        std::optional<TabModel> oldest;
        for (const TabModel &tab : m_state.tabs().tabs()) {
            if (tab.id == justCreated || tab.id == active || !m_pool.contains(tab.id))
                continue;
            if (!oldest || tab.lastActiveDate < oldest->lastActiveDate)
                oldest = tab;
        }
        if (!oldest)
            return;
        hibernateTab(oldest->id);
    }
}

void HibernationEngine::reload(const TabModel &tab)
{
    getOrCreateWebView(tab).reload();
}

bool HibernationEngine::applyUserAgentMode(const TabModel &tab)
{
    WebPage &page = getOrCreateWebView(tab);
    if (page.userAgentMode() == tab.userAgentMode)
        return false;
    page.switchUserAgentMode(tab.userAgentMode, tab.url);
    return true;
}

void HibernationEngine::find(const QUuid &tabId, const QString &text, bool backward)
{
    WebPage *page = existingWebView(tabId);
    if (!page)
        return;
    QPointer<HibernationEngine> self(this);
    page->find(text, backward, [self, tabId](WebPage::FindResult result) {
        if (self)
            Q_EMIT self->findResult(tabId, result);
    });
}

// Nothing is granted without the user's word: a site not answered yet is
// asked on the notice bar, and a question left to lapse refuses this time only.
void HibernationEngine::answerPermission(const QUrl &origin, WebPage::Feature feature, const std::function<void(bool)> &answer)
{
    SitePermissions &sites = m_state.sitePermissions();
    switch (SitePermissions::decide(feature, sites.answerFor(origin))) {
    case SitePermissions::Decision::Grant: answer(true); return;
    case SitePermissions::Decision::Refuse: answer(false); return;
    case SitePermissions::Decision::Ask: break;
    }
    const auto answerWith = [&sites, origin, answer](SitePermissions::Answer given) {
        return [&sites, origin, answer, given] {
            sites.remember(origin, given);
            answer(given == SitePermissions::Answer::Allow);
        };
    };
    m_state.notice().ask(tr("%1 wants to show notifications").arg(SitePermissions::siteName(origin)), tr("Allow"),
                         answerWith(SitePermissions::Answer::Allow), tr("Block"),
                         answerWith(SitePermissions::Answer::Block), [answer] { answer(false); });
}

void HibernationEngine::navigationFinished(const QUuid &tabId)
{
    WebPage *page = existingWebView(tabId);
    if (!page || page->url().isEmpty())
        return;
    const QUrl address = page->url();
    const QString title = page->title();
    QPointer<HibernationEngine> self(this);
    page->runJavaScript(FaviconCandidates::discoveryScript(), [self, tabId, page, address, title](const QVariant &result) {
        if (!self)
            return;
        self->m_clock.post([self, tabId, page, address, title, result] {
            // A page hibernated meanwhile reports nothing more.
            if (!self || self->existingWebView(tabId) != page)
                return;
            std::optional<QUrl> icon;
            const QString text = result.typeId() == QMetaType::QString ? result.toString().trimmed() : QString();
            const QUrl parsed(text, QUrl::StrictMode);
            if (!text.isEmpty() && parsed.isValid() && !parsed.isRelative())
                icon = parsed;
            self->m_state.tabs().updateTabWebMetadata(tabId, address, title, icon);
        });
    });
}

void HibernationEngine::startMonitoring()
{
    m_timer.reset();
    QPointer<HibernationEngine> self(this);
    m_timer = m_clock.repeating(sweepIntervalSeconds, [self] {
        if (self)
            self->m_clock.post([self] {
                if (self)
                    self->checkAndHibernateInactiveTabs();
            });
    });
}

std::optional<QUuid> HibernationEngine::activeTabId() const
{
    const ActiveSidebarItem &item = m_state.content().activeItem();
    return item.isWebTab() ? std::optional(item.tabId()) : std::nullopt;
}

void HibernationEngine::checkAndHibernateInactiveTabs()
{
    const auto active = activeTabId();
    const QDateTime now = m_clock.now();
    const QList<TabModel> tabs = m_state.tabs().tabs();
    for (const TabModel &tab : tabs) {
        const double idleSeconds = double(tab.lastActiveDate.msecsTo(now)) / 1000.0;
        if (tab.id != active && !tab.isHibernated && idleSeconds >= hibernationThresholdSeconds)
            hibernateTab(tab.id);
    }
}

void HibernationEngine::hibernateAllInactive()
{
    const auto active = activeTabId();
    const QList<TabModel> tabs = m_state.tabs().tabs();
    for (const TabModel &tab : tabs) {
        if (tab.id != active && !tab.isHibernated)
            hibernateTab(tab.id);
    }
}

void HibernationEngine::hibernateTab(const QUuid &id)
{
    releasePage(id);
    m_state.tabs().setTabHibernated(id);
}

void HibernationEngine::wakeAllTabs()
{
    m_state.tabs().wakeAllTabs();
}

// The page stops everything it does before it goes, and its observers go
// first, so that the blank page never reaches the tab record.
void HibernationEngine::releasePage(const QUuid &id)
{
    const auto it = m_pool.find(id);
    if (it == m_pool.end())
        return;
    std::unique_ptr<WebPage> page = std::move(it->second);
    m_pool.erase(it);
    page->retire();
    Q_EMIT pageTitleChanged(id);
    updatePanelHold();
}

void HibernationEngine::exitFullScreen()
{
    if (!m_state.content().isPageFullScreen())
        return;
    m_state.content().setPageFullScreen(false);
    for (const auto &[id, page] : m_pool)
        page->exitFullScreen();
}

void HibernationEngine::updatePanelHold()
{
    m_state.setPanelHeld(std::any_of(m_pool.cbegin(), m_pool.cend(), [](const auto &entry) { return entry.second->holdsPanel(); }));
}

QString HibernationEngine::pageTitle(const QUuid &tabId) const
{
    const WebPage *page = existingWebView(tabId);
    return page ? page->title() : QString();
}

void HibernationEngine::applyZoom()
{
    for (const TabModel &tab : m_state.tabs().tabs()) {
        if (WebPage *page = existingWebView(tab.id))
            page->setZoomPercent(tab.zoomPercent());
    }
}

void HibernationEngine::releasePagesOfRemovedTabs()
{
    QList<QUuid> gone;
    for (const auto &[id, page] : m_pool) {
        if (TabList::indexOf(m_state.tabs().tabs(), id) < 0)
            gone.append(id);
    }
    for (const QUuid &id : gone)
        releasePage(id);
}
