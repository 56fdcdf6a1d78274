#include "platform/qt/DBusNotifications.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
// The action a click on the notification's body invokes.
const QString defaultAction = QStringLiteral("default");
constexpr int iconPixels = 64;

// The "image-data" hint: (iiibiiay), width, height, row stride, alpha,
// bits per sample, channels and the RGBA bytes.
QDBusArgument imageData(const QImage &icon)
{
    const QImage image = icon.scaled(iconPixels, iconPixels, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGBA8888);
    QDBusArgument argument;
    argument.beginStructure();
    argument << image.width() << image.height() << int(image.bytesPerLine()) << true << 8 << 4
             << QByteArray(reinterpret_cast<const char *>(image.constBits()), image.sizeInBytes());
    argument.endStructure();
    return argument;
}

} // namespace

DBusNotifications::DBusNotifications(QObject *parent) : QObject(parent)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.connect(service, path, interface, QStringLiteral("ActionInvoked"), this, SLOT(actionInvoked(uint, QString)));
    bus.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                SLOT(notificationClosed(uint, uint)));
}

void DBusNotifications::show(const Notification &notification, std::function<void(quint32 id)> shown)
{
    QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("orvane")}};
    if (!notification.icon.isNull())
        hints.insert(QStringLiteral("image-data"), QVariant::fromValue(imageData(notification.icon)));
    QDBusMessage call = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    call << notification.appName << uint(0) << QString() << notification.summary << notification.body
         << QStringList{defaultAction, tr("Show")} << hints << -1;
    auto *watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [watcher, shown = std::move(shown)] {
        watcher->deleteLater();
        const QDBusPendingReply<uint> reply = *watcher;
        shown(reply.isValid() ? reply.value() : 0);
    });
}

void DBusNotifications::actionInvoked(uint id, const QString &action)
{
    if (action == defaultAction && m_observers.activated)
        m_observers.activated(id);
}

void DBusNotifications::notificationClosed(uint id, uint)
{
    if (m_observers.closed)
        m_observers.closed(id);
}
