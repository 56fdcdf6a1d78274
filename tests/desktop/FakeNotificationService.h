#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// The desktop's notification service on the test's session bus. Like the
// fake portal it has a bus connection of its own, so the application's calls
// and the service's signals travel the bus as they would for real.
class FakeNotificationService final : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Received
    {
        QString appName;
        QString summary;
        QString body;
        QStringList actions;
        QStringList hintNames;
    };

    FakeNotificationService();
    ~FakeNotificationService() override;

    bool isRegistered() const { return m_registered; }
    // In the order they came; notification n has the id n + 1.
    const QList<Received> &received() const { return m_received; }
    // The user clicking the notification's body.
    void click(uint id) { Q_EMIT ActionInvoked(id, QStringLiteral("default")); }

public Q_SLOTS:
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon, const QString &summary,
                const QString &body, const QStringList &actions, const QVariantMap &hints, int timeout);
    QStringList GetCapabilities() const;
    void CloseNotification(uint id);

Q_SIGNALS:
    void ActionInvoked(uint id, const QString &actionKey);
    void NotificationClosed(uint id, uint reason);

private:
    QDBusConnection m_bus;
    bool m_registered = false;
    QList<Received> m_received;
};
