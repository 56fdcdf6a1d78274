#pragma once

#include "platform/UserAgentMode.h"
#include "web/ZoomSteps.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <optional>

// "Desktop" / "Mobile", the stored form.
QString rawValue(UserAgentMode mode);
std::optional<UserAgentMode> userAgentModeFromRaw(const QString &raw);

// One web app kept in the rail.
struct TabModel
{
    QUuid id;
    QString title;
    QUrl url;
    QString iconKey;
    std::optional<QUrl> iconURL;
    UserAgentMode userAgentMode = UserAgentMode::Desktop;
    bool isAIProvider = false;
    bool isHibernated = false;
    QDateTime lastActiveDate;
    // Stored with the tab; nothing applies it to the page.
    std::optional<QString> customCSS;
    // Per identity: a site's desktop and phone layouts read best at their own sizes.
    int desktopZoomPercent = ZoomSteps::normal;
    int mobileZoomPercent = ZoomSteps::normal;
    // What the page's title last announced; kept while the tab sleeps, not stored.
    int unreadCount = 0;

    // The zoom of the identity the tab has now.
    int zoomPercent() const { return userAgentMode == UserAgentMode::Desktop ? desktopZoomPercent : mobileZoomPercent; }
    int &zoomPercent() { return userAgentMode == UserAgentMode::Desktop ? desktopZoomPercent : mobileZoomPercent; }

    const QString &iconName() const { return iconKey; }

    bool operator==(const TabModel &) const = default;

    // The seven tabs of a first run, each with a fresh id.
    static QList<TabModel> defaultTabs(const QDateTime &now);
};
