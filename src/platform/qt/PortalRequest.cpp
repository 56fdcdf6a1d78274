#include "platform/qt/PortalRequest.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusObjectPath>

const QString PortalRequest::service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString PortalRequest::objectPath = QStringLiteral("/org/freedesktop/portal/desktop");

namespace {
const QString requestInterface = QStringLiteral("org.freedesktop.portal.Request");
// The portal itself answers version queries at once; a bus that takes
// longer has no portal worth waiting for at start.
constexpr int offerTimeoutMs = 1500;
} // namespace

QString PortalRequest::newToken()
{
    static int counter = 0;
    return QStringLiteral("orvane_%1").arg(++counter);
}

QString PortalRequest::requestPath(const QString &token)
{
    // ":1.42" becomes "1_42".
    QString sender = QDBusConnection::sessionBus().baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("%1/request/%2/%3").arg(objectPath, sender, token);
}

bool PortalRequest::offers(const QString &interface)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    const QDBusConnectionInterface *names = bus.interface();
    if (!names->isServiceRegistered(service) && !names->activatableServiceNames().value().contains(service))
        return false;
    QDBusMessage query = QDBusMessage::createMethodCall(service, objectPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                        QStringLiteral("Get"));
    query << interface << QStringLiteral("version");
    const QDBusMessage reply = bus.call(query, QDBus::Block, offerTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

PortalRequest::PortalRequest(QObject *context, QString path, Answered answered)
    : QObject(context), m_path(std::move(path)), m_answered(std::move(answered))
{
    QDBusConnection::sessionBus().connect(service, m_path, requestInterface, QStringLiteral("Response"), this,
                                          SLOT(response(uint,QVariantMap)));
    // A portal that goes away answers nothing more.
    auto *gone = new QDBusServiceWatcher(service, QDBusConnection::sessionBus(), QDBusServiceWatcher::WatchForUnregistration,
                                         this);
    connect(gone, &QDBusServiceWatcher::serviceUnregistered, this, [this] { finish(2, {}); });
}

void PortalRequest::call(QObject *context, const QString &interface, const QString &method, QVariantList arguments,
                         Answered answered, int timeoutMs)
{
    const QString token = newToken();
    auto *request = new PortalRequest(context, requestPath(token), std::move(answered));
    QVariantMap options = arguments.isEmpty() ? QVariantMap() : arguments.takeLast().toMap();
    options.insert(QStringLiteral("handle_token"), token);
    arguments.append(options);
    QDBusMessage message = QDBusMessage::createMethodCall(service, objectPath, interface, method);
    message.setArguments(arguments);
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(message, timeoutMs), request);
    connect(watcher, &QDBusPendingCallWatcher::finished, request, [request](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *call;
        if (reply.isError())
            request->finish(unreachable, {});
        else if (reply.value().path() != request->m_path)
            request->follow(reply.value().path());
    });
}

void PortalRequest::follow(const QString &path)
{
    // Portals older than the derived paths answer on a path of their choosing.
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.disconnect(service, m_path, requestInterface, QStringLiteral("Response"), this, SLOT(response(uint,QVariantMap)));
    m_path = path;
    bus.connect(service, m_path, requestInterface, QStringLiteral("Response"), this, SLOT(response(uint,QVariantMap)));
}

void PortalRequest::response(uint response, const QVariantMap &results)
{
    finish(response, results);
}

void PortalRequest::finish(uint response, const QVariantMap &results)
{
    if (m_done)
        return;
    m_done = true;
    QDBusConnection::sessionBus().disconnect(service, m_path, requestInterface, QStringLiteral("Response"), this,
                                             SLOT(response(uint,QVariantMap)));
    const Answered answered = std::move(m_answered);
    deleteLater();
    answered(response, results);
}
