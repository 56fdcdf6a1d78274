#pragma once

#include "platform/WebNotification.h"

#include <QObject>
#include <QUuid>

#include <map>

class AppState;
class DesktopNotifications;

// Passes the notifications of the sites the user allowed to the desktop,
// under the name and icon of the tab showing that site; a click on one asks
// for that tab.
class NotificationRelay final : public QObject
{
    Q_OBJECT

public:
    NotificationRelay(AppState &state, DesktopNotifications &desktop, QObject *parent = nullptr);
    ~NotificationRelay() override;

    void present(WebNotification notification);

Q_SIGNALS:
    // The user clicked a notification of this tab: it should be on screen.
    void tabAsked(const QUuid &tabId);

private:
    struct Shown
    {
        QUuid tabId;
        WebNotification notification;
    };

    AppState &m_state;
    DesktopNotifications &m_desktop;
    // By the desktop's id, until the desktop says it went.
    std::map<quint32, Shown> m_shown;
};
