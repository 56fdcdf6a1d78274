#include "FakeShortcutsPortal.h"

#include "platform/qt/PortalHotKeys.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>

namespace {
const QString service = QStringLiteral("org.freedesktop.portal.Desktop");
const QString path = QStringLiteral("/org/freedesktop/portal/desktop");
const QString shortcutsInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

// Where the portal puts an object of `kind` for the caller's token.
QString objectFor(const QString &kind, const QDBusMessage &call, const QString &token)
{
    QString sender = call.service().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    return QStringLiteral("%1/%2/%3/%4").arg(path, kind, sender, token);
}

QVariantMap optionsOf(const QDBusMessage &call)
{
    return qdbus_cast<QVariantMap>(call.arguments().constLast());
}

// Replies with the Request object, then answers on it as the portal does.
void answer(const QDBusMessage &call, const QDBusConnection &connection, const QVariantMap &results)
{
    const QString request = objectFor(QStringLiteral("request"), call,
                                      optionsOf(call).value(QStringLiteral("handle_token")).toString());
    connection.send(call.createReply(QVariant::fromValue(QDBusObjectPath(request))));
    QDBusMessage response = QDBusMessage::createSignal(request, QStringLiteral("org.freedesktop.portal.Request"),
                                                       QStringLiteral("Response"));
    response << 0u << results;
    connection.send(response);
}
} // namespace

bool FakeShortcutsPortal::registerOnSessionBus()
{
    PortalShortcut::registerTypes();
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.registerVirtualObject(path, this) && bus.registerService(service);
}

FakeShortcutsPortal::~FakeShortcutsPortal()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(service);
    bus.unregisterObject(path);
}

void FakeShortcutsPortal::press(const QString &id)
{
    QDBusMessage activated = QDBusMessage::createSignal(path, shortcutsInterface, QStringLiteral("Activated"));
    activated << QVariant::fromValue(QDBusObjectPath(m_session)) << id << qulonglong(0) << QVariantMap();
    QDBusConnection::sessionBus().send(activated);
}

QString FakeShortcutsPortal::introspect(const QString &) const
{
    return QStringLiteral("<interface name=\"org.freedesktop.portal.GlobalShortcuts\">"
                          "<property name=\"version\" type=\"u\" access=\"read\"/>"
                          "<method name=\"CreateSession\"><arg type=\"a{sv}\" direction=\"in\"/>"
                          "<arg type=\"o\" direction=\"out\"/></method>"
                          "<method name=\"BindShortcuts\"><arg type=\"o\" direction=\"in\"/>"
                          "<arg type=\"a(sa{sv})\" direction=\"in\"/><arg type=\"s\" direction=\"in\"/>"
                          "<arg type=\"a{sv}\" direction=\"in\"/><arg type=\"o\" direction=\"out\"/></method>"
                          "<signal name=\"Activated\"><arg type=\"o\"/><arg type=\"s\"/><arg type=\"t\"/>"
                          "<arg type=\"a{sv}\"/></signal>"
                          "</interface>");
}

bool FakeShortcutsPortal::handleMessage(const QDBusMessage &message, const QDBusConnection &connection)
{
    const QString member = message.member();
    if (message.interface() == QLatin1String("org.freedesktop.DBus.Properties") && member == QLatin1String("Get")
        && message.arguments().value(0).toString() == shortcutsInterface) {
        connection.send(message.createReply(QVariant::fromValue(QDBusVariant(1u))));
        return true;
    }
    if (message.interface() != shortcutsInterface)
        return false;
    if (member == QLatin1String("CreateSession")) {
        m_session = objectFor(QStringLiteral("session"), message,
                              optionsOf(message).value(QStringLiteral("session_handle_token")).toString());
        answer(message, connection, {{QStringLiteral("session_handle"), m_session}});
        return true;
    }
    if (member == QLatin1String("BindShortcuts")) {
        const auto shortcuts = qdbus_cast<QList<PortalShortcut>>(message.arguments().at(1));
        ++m_bindings;
        m_bound.clear();
        for (const PortalShortcut &shortcut : shortcuts)
            m_bound.insert(shortcut.id, shortcut.properties.value(QStringLiteral("preferred_trigger")).toString());
        answer(message, connection, {{QStringLiteral("shortcuts"), QVariant::fromValue(shortcuts)}});
        return true;
    }
    return false;
}
