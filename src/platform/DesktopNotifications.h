#pragma once

#include <QImage>
#include <QString>

#include <functional>

// The desktop's notification service: the bubbles it shows, and the user
// clicking or closing them.
class DesktopNotifications
{
public:
    virtual ~DesktopNotifications() = default;
    DesktopNotifications() = default;
    DesktopNotifications(const DesktopNotifications &) = delete;
    DesktopNotifications &operator=(const DesktopNotifications &) = delete;

    struct Notification
    {
        QString appName;
        QString summary;
        QString body;
        // None leaves the service's own.
        QImage icon;
    };
    struct Observers
    {
        // The user clicked the notification with that id.
        std::function<void(quint32 id)> activated;
        // It went: dismissed, expired or closed after a click.
        std::function<void(quint32 id)> closed;
    };

    virtual void setObservers(Observers observers) = 0;
    // `shown` gets the service's id for it later; 0 when no service took it.
    virtual void show(const Notification &notification, std::function<void(quint32 id)> shown) = 0;
};
