#pragma once

#include <QObject>

#include <xcb/xcb.h>

#include <functional>
#include <memory>

class QSocketNotifier;
class QTimer;

// Says when another window manager takes over the display (a user's
// `--replace`, a crashed manager restarted): the new one adopts the mapped
// windows as it finds them, and finds the panel's hints gone when the old
// one took them away on leaving. Watches the root window's
// _NET_SUPPORTING_WM_CHECK on a connection of its own.
class X11WindowManagerWatch final : public QObject
{
    Q_OBJECT

public:
    // `replaced` runs once the new manager has had a moment to settle.
    explicit X11WindowManagerWatch(std::function<void()> replaced);
    ~X11WindowManagerWatch() override;

private:
    void readEvents();

    xcb_connection_t *m_connection = nullptr;
    xcb_atom_t m_check = XCB_NONE;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::unique_ptr<QTimer> m_settle;
};
