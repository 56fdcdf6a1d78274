#include "web/NotificationRelay.h"

#include "icons/FaviconCache.h"
#include "icons/FaviconCandidates.h"
#include "platform/DesktopNotifications.h"
#include "state/AppState.h"

#include <QPointer>

namespace {

bool sameSite(const QUrl &a, const QUrl &b)
{
    return a.scheme() == b.scheme() && a.host() == b.host() && a.port() == b.port();
}

// The tab on screen when it shows the site, else the first that does.
std::optional<TabModel> tabOf(const AppState &state, const QUrl &origin)
{
    if (const auto active = state.tabs().activeTab(); active && sameSite(active->url, origin))
        return active;
    for (const TabModel &tab : state.tabs().tabs()) {
        if (sameSite(tab.url, origin))
            return tab;
    }
    return std::nullopt;
}

} // namespace

NotificationRelay::NotificationRelay(AppState &state, DesktopNotifications &desktop, QObject *parent)
    : QObject(parent), m_state(state), m_desktop(desktop)
{
    QPointer<NotificationRelay> self(this);
    DesktopNotifications::Observers observers;
    observers.activated = [self](quint32 id) {
        if (!self || !self->m_shown.contains(id))
            return;
        const Shown &shown = self->m_shown.at(id);
        if (!shown.tabId.isNull())
            Q_EMIT self->tabAsked(shown.tabId);
        if (shown.notification.clicked)
            shown.notification.clicked();
    };
    observers.closed = [self](quint32 id) {
        if (!self)
            return;
        const auto gone = self->m_shown.extract(id);
        if (!gone.empty() && gone.mapped().notification.closed)
            gone.mapped().notification.closed();
    };
    m_desktop.setObservers(std::move(observers));
}

NotificationRelay::~NotificationRelay()
{
    m_desktop.setObservers({});
}

void NotificationRelay::present(WebNotification notification)
{
    // The engine remembers a grant for as long as it runs; a site revoked
    // since then is heard no more.
    if (m_state.sitePermissions().answerFor(notification.origin) != SitePermissions::Answer::Allow)
        return;
    const auto tab = tabOf(m_state, notification.origin);
    DesktopNotifications::Notification shown{tab ? tab->title : SitePermissions::siteName(notification.origin),
                                             {}, notification.body, notification.icon};
    shown.summary = shown.appName + QStringLiteral(": ") + notification.title;
    if (tab) {
        const FaviconSources sources = FaviconCandidates::sources(tab->title, tab->url, tab->iconURL.value_or(QUrl()));
        if (const auto tile = FaviconCache::shared().get(sources.cacheKey))
            shown.icon = tile->image;
    }
    QPointer<NotificationRelay> self(this);
    const QUuid tabId = tab ? tab->id : QUuid();
    m_desktop.show(shown, [self, tabId, notification = std::move(notification)](quint32 id) mutable {
        if (self && id != 0)
            self->m_shown[id] = {tabId, std::move(notification)};
    });
}
