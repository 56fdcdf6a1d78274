#include "platform/qt/DesktopPortal.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>

#include <utility>

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.portal.Desktop");
const QString objectPath = QStringLiteral("/org/freedesktop/portal/desktop");
// How long the portal has to take a request before Qt's route stands in.
constexpr int callTimeoutMs = 5000;

QString parentWindowOf(QWidget *widget)
{
    if (!widget || QGuiApplication::platformName() != QLatin1String("xcb"))
        return {};
    return QStringLiteral("x11:") + QString::number(widget->window()->winId(), 16);
}

QString nextToken()
{
    static int count = 0;
    return QStringLiteral("orvane%1").arg(++count);
}

// Where the portal puts the request object for this token, known before the
// call: its answer may come before the call's reply.
QString requestPath(const QDBusConnection &bus, const QString &token)
{
    const QString sender = bus.baseService().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    return objectPath + QStringLiteral("/request/") + sender + QLatin1Char('/') + token;
}

// One request to the portal, followed until its answer.
class PortalRequest final : public QObject
{
    Q_OBJECT

public:
    explicit PortalRequest(QDBusConnection bus) : m_bus(std::move(bus)) {}
    ~PortalRequest() override
    {
        for (const QString &path : std::as_const(m_paths))
            m_bus.disconnect(serviceName, path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"),
                             this, SLOT(answered(uint, QVariantMap)));
    }

    void listen(const QString &path)
    {
        if (m_paths.contains(path))
            return;
        m_paths.append(path);
        m_bus.connect(serviceName, path, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"), this,
                      SLOT(answered(uint, QVariantMap)));
    }

    void end()
    {
        m_ended = true;
        m_loop.quit();
    }
    void wait()
    {
        if (!m_ended)
            m_loop.exec();
    }

    std::optional<uint> response;
    QVariantMap results;

private Q_SLOTS:
    void answered(uint code, const QVariantMap &given)
    {
        response = code;
        results = given;
        end();
    }

private:
    QDBusConnection m_bus;
    QStringList m_paths;
    QEventLoop m_loop;
    bool m_ended = false;
};

} // namespace

namespace DesktopPortal {

std::optional<QStringList> chooseFiles(QWidget *parent, const FileRequest &request)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return std::nullopt;
    const QString token = nextToken();
    PortalRequest pending(bus);
    pending.listen(requestPath(bus, token));
    QDBusMessage call = QDBusMessage::createMethodCall(serviceName, objectPath, QStringLiteral("org.freedesktop.portal.FileChooser"),
                                                       QStringLiteral("OpenFile"));
    call << parentWindowOf(parent) << request.title
         << QVariantMap{{QStringLiteral("handle_token"), token}, {QStringLiteral("multiple"), request.multiple},
                        {QStringLiteral("directory"), request.directory}, {QStringLiteral("modal"), true}};
    bool offered = true;
    QDBusPendingCallWatcher reply(bus.asyncCall(call, callTimeoutMs));
    QObject::connect(&reply, &QDBusPendingCallWatcher::finished, &pending, [&] {
        const QDBusPendingReply<QDBusObjectPath> handle = reply;
        if (handle.isError()) {
            offered = false;
            pending.end();
            return;
        }
        // Older portals name a request object of their own.
        pending.listen(handle.value().path());
    });
    // A portal that goes away answers nothing: the choice is cancelled.
    QDBusServiceWatcher portalGone(serviceName, bus, QDBusServiceWatcher::WatchForUnregistration);
    QObject::connect(&portalGone, &QDBusServiceWatcher::serviceUnregistered, &pending, &PortalRequest::end);
    pending.wait();
    if (!offered)
        return std::nullopt;
    QStringList paths;
    if (pending.response != 0u)
        return paths;
    const QStringList uris = pending.results.value(QStringLiteral("uris")).toStringList();
    for (const QString &uri : uris) {
        if (const QUrl url(uri); url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

void openUrl(const QUrl &url, QWidget *parent)
{
    QDBusMessage call = QDBusMessage::createMethodCall(serviceName, objectPath, QStringLiteral("org.freedesktop.portal.OpenURI"),
                                                       QStringLiteral("OpenURI"));
    call << parentWindowOf(parent) << url.toString(QUrl::FullyEncoded) << QVariantMap{{QStringLiteral("handle_token"), nextToken()}};
    auto *reply = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call, callTimeoutMs));
    QObject::connect(reply, &QDBusPendingCallWatcher::finished, reply, [url](QDBusPendingCallWatcher *finished) {
        finished->deleteLater();
        if (finished->isError())
            QDesktopServices::openUrl(url);
    });
}

} // namespace DesktopPortal

#include "DesktopPortal.moc"
