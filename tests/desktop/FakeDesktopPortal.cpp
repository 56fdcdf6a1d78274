#include "FakeDesktopPortal.h"

#include <QUrl>

namespace {

const QString serviceName = QStringLiteral("org.freedesktop.portal.Desktop");
const QString objectPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString connectionName = QStringLiteral("fake-desktop-portal");

// Where the portal puts the request a caller's token names.
QDBusObjectPath requestPath(const QDBusMessage &message, const QVariantMap &options)
{
    const QString sender = message.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    return QDBusObjectPath(objectPath + QStringLiteral("/request/") + sender + QLatin1Char('/')
                           + options.value(QStringLiteral("handle_token")).toString());
}

} // namespace

FakeDesktopPortal::FakeDesktopPortal()
    : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName))
{
    PortalShortcut::registerTypes();
    new FakeFileChooser(this);
    new FakeOpenUri(this);
    new FakeGlobalShortcuts(this);
    m_registered = m_bus.registerObject(objectPath, this, QDBusConnection::ExportAdaptors) && m_bus.registerService(serviceName);
}

FakeDesktopPortal::~FakeDesktopPortal()
{
    m_bus.unregisterService(serviceName);
    m_bus.unregisterObject(objectPath);
    QDBusConnection::disconnectFromBus(connectionName);
}

QDBusObjectPath FakeDesktopPortal::openFile(const QString &title, const QVariantMap &options, const QDBusMessage &message)
{
    const QDBusObjectPath handle = requestPath(message, options);
    m_pending = Choice{title, options, handle.path()};
    return handle;
}

QDBusObjectPath FakeDesktopPortal::openUri(const QString &uri, const QVariantMap &options, const QDBusMessage &message)
{
    m_openedUris.append(uri);
    return requestPath(message, options);
}

void FakeDesktopPortal::answerChoice(uint response, const QStringList &files)
{
    if (!m_pending)
        return;
    QStringList uris;
    for (const QString &file : files)
        uris.append(QUrl::fromLocalFile(file).toString());
    QDBusMessage answer = QDBusMessage::createSignal(m_pending->handle, QStringLiteral("org.freedesktop.portal.Request"),
                                                     QStringLiteral("Response"));
    answer << response << QVariantMap{{QStringLiteral("uris"), uris}};
    m_bus.send(answer);
    m_pending.reset();
}

QDBusObjectPath FakeDesktopPortal::answer(const QDBusMessage &message, const QVariantMap &options, const QVariantMap &results)
{
    // Callers listen on the request before they call, so the answer may go first.
    const QDBusObjectPath handle = requestPath(message, options);
    QDBusMessage response = QDBusMessage::createSignal(handle.path(), QStringLiteral("org.freedesktop.portal.Request"),
                                                       QStringLiteral("Response"));
    response << 0u << results;
    m_bus.send(response);
    return handle;
}

QDBusObjectPath FakeDesktopPortal::createSession(const QVariantMap &options, const QDBusMessage &message)
{
    const QString sender = message.service().mid(1).replace(QLatin1Char('.'), QLatin1Char('_'));
    m_session = objectPath + QStringLiteral("/session/") + sender + QLatin1Char('/')
                + options.value(QStringLiteral("session_handle_token")).toString();
    return answer(message, options, {{QStringLiteral("session_handle"), m_session}});
}

QDBusObjectPath FakeDesktopPortal::bindShortcuts(const QList<PortalShortcut> &shortcuts, const QVariantMap &options,
                                                 const QDBusMessage &message)
{
    ++m_bindings;
    m_bound.clear();
    for (const PortalShortcut &shortcut : shortcuts)
        m_bound.insert(shortcut.id, shortcut.properties.value(QStringLiteral("preferred_trigger")).toString());
    return answer(message, options, {{QStringLiteral("shortcuts"), QVariant::fromValue(shortcuts)}});
}

void FakeDesktopPortal::press(const QString &id)
{
    QDBusMessage activated = QDBusMessage::createSignal(objectPath, QStringLiteral("org.freedesktop.portal.GlobalShortcuts"),
                                                        QStringLiteral("Activated"));
    activated << QVariant::fromValue(QDBusObjectPath(m_session)) << id << qulonglong(0) << QVariantMap();
    m_bus.send(activated);
}
