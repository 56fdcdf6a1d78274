#include "platform/qt/DesktopPortal.h"

#include "platform/qt/PortalRequest.h"

#include <QDBusConnection>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>

namespace {

// How long the portal has to take a request before Qt's route stands in.
constexpr int callTimeoutMs = 5000;

QString parentWindowOf(QWidget *widget)
{
    if (!widget || QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return QStringLiteral("x11:") + QString::number(widget->window()->winId(), 16);
}

} // namespace

namespace DesktopPortal {

std::optional<QStringList> chooseFiles(QWidget *parent, const FileRequest &request)
{
    if (!QDBusConnection::sessionBus().isConnected())
        return std::nullopt;
    QEventLoop loop;
    std::optional<uint> response;
    QVariantMap results;
    PortalRequest::call(
        &loop, QStringLiteral("org.freedesktop.portal.FileChooser"), QStringLiteral("OpenFile"),
        {parentWindowOf(parent), request.title,
         QVariantMap{{QStringLiteral("multiple"), request.multiple},
                     {QStringLiteral("directory"), request.directory},
                     {QStringLiteral("modal"), true}}},
        [&](uint code, const QVariantMap &given) {
            response = code;
            results = given;
            loop.quit();
        },
        callTimeoutMs);
    if (!response)
        loop.exec();
    if (*response == PortalRequest::unreachable)
        return std::nullopt;
    QStringList paths;
    if (*response != 0)
        return paths;
    const QStringList uris = results.value(QStringLiteral("uris")).toStringList();
    for (const QString &uri : uris) {
        if (const QUrl url(uri); url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

void openUrl(const QUrl &url, QWidget *parent)
{
    PortalRequest::call(
        qApp, QStringLiteral("org.freedesktop.portal.OpenURI"), QStringLiteral("OpenURI"),
        {parentWindowOf(parent), url.toString(QUrl::FullyEncoded), QVariantMap()},
        [url](uint code, const QVariantMap &) {
            if (code == PortalRequest::unreachable)
                QDesktopServices::openUrl(url);
        },
        callTimeoutMs);
}

} // namespace DesktopPortal

