#include "platform/qt/WebProfiles.h"

#include <QCoreApplication>
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

} // namespace WebProfiles
