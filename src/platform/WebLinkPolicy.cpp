#include "platform/WebLinkPolicy.h"

#include <QStringList>

namespace WebLinkPolicy {

namespace {

bool isHttp(const QUrl &url)
{
    return (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) && !url.host().isEmpty();
}

// Schemes the engine shows in the page itself.
bool loadsInPage(const QString &scheme)
{
    static const QStringList schemes = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("about"),
                                        QStringLiteral("data"), QStringLiteral("blob")};
    return schemes.contains(scheme);
}

// Schemes that would act on this computer or on Orvane rather than leave it.
bool neverLeaves(const QString &scheme)
{
    static const QStringList schemes = {QStringLiteral("orvane"), QStringLiteral("file"),
                                        QStringLiteral("javascript"), QStringLiteral("chrome"),
                                        QStringLiteral("devtools"), QStringLiteral("view-source"),
                                        QStringLiteral("filesystem"), QStringLiteral("qrc")};
    return scheme.isEmpty() || schemes.contains(scheme);
}

} // namespace

NewWindow forNewWindow(Destination destination, bool userInitiated, const QUrl &url)
{
    if (!userInitiated)
        return NewWindow::Refused;
    if (destination == Destination::Dialog) {
        // Sign-in scripts often open an empty pop-up and give it its address afterwards.
        const bool blank = url.isEmpty() || url.toString() == QLatin1String("about:blank");
        return blank || isHttp(url) ? NewWindow::OwnPopup : NewWindow::Refused;
    }
    return mayReachDesktopBrowser(url) ? NewWindow::DesktopBrowser : NewWindow::Refused;
}

bool mayReachDesktopBrowser(const QUrl &url)
{
    return isHttp(url) || (url.scheme() == QLatin1String("mailto") && !url.path().isEmpty());
}

Navigation forNavigation(const QUrl &url, bool clicked)
{
    const QString scheme = url.scheme();
    if (loadsInPage(scheme))
        return Navigation::Load;
    if (!clicked || neverLeaves(scheme))
        return Navigation::Refused;
    return Navigation::AskFirst;
}

QRect popupFrame(const QRect &requested, const QRect &screen)
{
    // What a page that asks for no size gets.
    const QSize fallback(500, 640);
    QSize size = requested.width() > 0 && requested.height() > 0 ? requested.size() : fallback;
    size = size.boundedTo(screen.size());
    QRect frame(requested.topLeft(), size);
    if (!screen.contains(frame) || requested.topLeft().isNull())
        frame.moveCenter(screen.center());
    return frame;
}

} // namespace WebLinkPolicy
