#pragma once

#include "platform/DesktopNotifications.h"

#include <QList>

// Takes every notification at once, numbering them from 1; tests play the
// user's part through the observers.
class FakeDesktopNotifications final : public DesktopNotifications
{
public:
    void setObservers(Observers given) override { observers = std::move(given); }
    void show(const Notification &notification, std::function<void(quint32 id)> done) override
    {
        shown.append(notification);
        done(quint32(shown.size()));
    }

    QList<Notification> shown;
    Observers observers;
};
