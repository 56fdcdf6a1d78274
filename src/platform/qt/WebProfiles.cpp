#include "platform/qt/WebProfiles.h"

#include <QCoreApplication>
#include <QWebEngineNotification>
#include <QWebEngineProfile>

namespace WebProfiles {

QWebEngineProfile *profile(UserAgentMode mode)
{
    static QWebEngineProfile *profiles[2] = {};
    QWebEngineProfile *&slot = profiles[mode == UserAgentMode::Desktop ? 0 : 1];
    if (!slot) {
        // Named profiles keep cookies and storage on disk, under
        // ~/.local/share/Orvane/QtWebEngine/<name>; Qt's default profile would forget them.
        const QString name = mode == UserAgentMode::Desktop ? QStringLiteral("desktop") : QStringLiteral("mobile");
        slot = new QWebEngineProfile(name, QCoreApplication::instance());
        // A new profile answers with the engine's own identity; asking Qt's
        // default profile instead would make a third profile at start.
        slot->setHttpUserAgent(userAgentFor(mode, slot->httpUserAgent()));
    }
    return slot;
}

void presentNotifications(const std::function<void(WebNotification)> &present)
{
    for (const UserAgentMode mode : {UserAgentMode::Desktop, UserAgentMode::Mobile}) {
        profile(mode)->setNotificationPresenter([present](std::unique_ptr<QWebEngineNotification> given) {
            // Kept while anything may still tell the page what became of it.
            const std::shared_ptr<QWebEngineNotification> notification(std::move(given));
            present({notification->origin(), notification->title(), notification->message(), notification->icon(),
                     [notification] { notification->click(); }, [notification] { notification->close(); }});
            notification->show();
        });
    }
}

} // namespace WebProfiles
