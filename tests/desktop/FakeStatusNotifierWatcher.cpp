#include "FakeStatusNotifierWatcher.h"

#include <QDBusConnection>

namespace {
const QString serviceName = QStringLiteral("org.kde.StatusNotifierWatcher");
}

bool FakeStatusNotifierWatcher::registerOnSessionBus()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    return bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), this,
                              QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties
                                  | QDBusConnection::ExportAllSignals)
        && bus.registerService(serviceName);
}

FakeStatusNotifierWatcher::~FakeStatusNotifierWatcher()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(serviceName);
    bus.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
}

// An item names itself by a service name or by an object path on its own
// connection; either way it is reached through the sender's bus name.
void FakeStatusNotifierWatcher::RegisterStatusNotifierItem(const QString &service, const QDBusMessage &message)
{
    m_items.append(service);
    m_itemServices.append(service.startsWith(QLatin1Char('/')) ? message.service() : service);
    Q_EMIT StatusNotifierItemRegistered(service);
}

void FakeStatusNotifierWatcher::RegisterStatusNotifierHost(const QString &)
{
    Q_EMIT StatusNotifierHostRegistered();
}
