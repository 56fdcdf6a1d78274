#pragma once

#include "platform/DesktopNotifications.h"

#include <QObject>

// The freedesktop notification service (org.freedesktop.Notifications) on
// the session bus. Without one, nothing is shown and nothing fails.
class DBusNotifications final : public QObject, public DesktopNotifications
{
    Q_OBJECT

public:
    explicit DBusNotifications(QObject *parent = nullptr);

    void setObservers(Observers observers) override { m_observers = std::move(observers); }
    void show(const Notification &notification, std::function<void(quint32 id)> shown) override;

private Q_SLOTS:
    void actionInvoked(uint id, const QString &action);
    void notificationClosed(uint id, uint reason);

private:
    Observers m_observers;
};
