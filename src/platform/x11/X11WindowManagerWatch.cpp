#include "platform/x11/X11WindowManagerWatch.h"

#include "platform/x11/X11Connection.h"

#include <QSocketNotifier>
#include <QTimer>

namespace {
// A manager announces itself before it has adopted every window; what the
// panel asks of it then would be undone by the adoption.
constexpr int settleMs = 300;
} // namespace

X11WindowManagerWatch::X11WindowManagerWatch(std::function<void()> replaced)
    : m_connection(X11Connection::connectPrivately()), m_settle(std::make_unique<QTimer>())
{
    m_settle->setSingleShot(true);
    m_settle->setInterval(settleMs);
    connect(m_settle.get(), &QTimer::timeout, this, std::move(replaced));
    if (!m_connection)
        return;
    m_check = X11Connection::atom(m_connection, "_NET_SUPPORTING_WM_CHECK");
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, X11Connection::rootWindow(m_connection), XCB_CW_EVENT_MASK, &mask);
    xcb_flush(m_connection);
    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11WindowManagerWatch::readEvents);
}

X11WindowManagerWatch::~X11WindowManagerWatch()
{
    m_notifier.reset();
    if (m_connection)
        xcb_disconnect(m_connection);
}

void X11WindowManagerWatch::readEvents()
{
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
        if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
            const auto *notify = reinterpret_cast<xcb_property_notify_event_t *>(event);
            if (notify->atom == m_check && notify->state == XCB_PROPERTY_NEW_VALUE)
                m_settle->start();
        }
        std::free(event);
    }
}
