#include "FakeNotificationService.h"

namespace {
const QString serviceName = QStringLiteral("org.freedesktop.Notifications");
const QString objectPath = QStringLiteral("/org/freedesktop/Notifications");
const QString connectionName = QStringLiteral("fake-notification-service");
// The reason NotificationClosed gives for a CloseNotification call.
constexpr uint closedByCall = 3;
} // namespace

FakeNotificationService::FakeNotificationService()
    : m_bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, connectionName))
{
    m_registered = m_bus.registerObject(objectPath, this, QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals)
        && m_bus.registerService(serviceName);
}

FakeNotificationService::~FakeNotificationService()
{
    m_bus.unregisterService(serviceName);
    m_bus.unregisterObject(objectPath);
    QDBusConnection::disconnectFromBus(connectionName);
}

uint FakeNotificationService::Notify(const QString &appName, uint, const QString &, const QString &summary,
                                     const QString &body, const QStringList &actions, const QVariantMap &hints, int)
{
    m_received.append({appName, summary, body, actions, hints.keys()});
    return uint(m_received.size());
}

QStringList FakeNotificationService::GetCapabilities() const
{
    return {QStringLiteral("actions"), QStringLiteral("body")};
}

void FakeNotificationService::CloseNotification(uint id)
{
    Q_EMIT NotificationClosed(id, closedByCall);
}
