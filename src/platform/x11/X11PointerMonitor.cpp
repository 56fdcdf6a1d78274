#include "platform/x11/X11PointerMonitor.h"

#include <QSocketNotifier>

#include <xcb/xinput.h>

#include <cstdio>
#include <cstdlib>

namespace {
// Without these events the panel never hides by itself; say so rather than
// leave the user wondering.
void reportUnavailable(const char *reason)
{
    std::fprintf(stderr, "Orvane: clicks and pointer movement outside the panel cannot be watched (%s); "
                         "the panel will not hide by itself.\n", reason);
}
} // namespace

X11PointerMonitor::X11PointerMonitor()
{
    m_sampler.setTimerType(Qt::PreciseTimer);
    m_sampler.setInterval(8);
    connect(&m_sampler, &QTimer::timeout, this, &X11PointerMonitor::samplePointer);
}

X11PointerMonitor::~X11PointerMonitor()
{
    m_notifier.reset();
    if (m_connection)
        xcb_disconnect(m_connection);
}

void X11PointerMonitor::start(Handlers handlers)
{
    m_handlers = std::move(handlers);
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        reportUnavailable("no connection to the X display");
        return;
    }
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(m_connection, &xcb_input_id);
    if (!extension || !extension->present) {
        reportUnavailable("the X server has no XInput extension");
        return;
    }
    m_inputOpcode = extension->major_opcode;
    xcb_input_xi_query_version_reply_t *version = xcb_input_xi_query_version_reply(
        m_connection, xcb_input_xi_query_version(m_connection, 2, 2), nullptr);
    const bool usable = version && (version->major_version > 2 || version->minor_version >= 1);
    std::free(version);
    if (!usable) {
        reportUnavailable("the X server's XInput is older than 2.1");
        return;
    }

    struct
    {
        xcb_input_event_mask_t head;
        uint32_t mask;
    } selection = {{XCB_INPUT_DEVICE_ALL_MASTER, 1}, XCB_INPUT_XI_EVENT_MASK_RAW_BUTTON_PRESS};
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    xcb_input_xi_select_events(m_connection, root, 1, &selection.head);
    xcb_flush(m_connection);

    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11PointerMonitor::readEvents);
}

void X11PointerMonitor::setTrackingMovement(bool tracking)
{
    if (tracking && m_connection && !m_sampler.isActive()) {
        // Where the pointer already is counts as no movement.
        m_lastPosition = pointerPosition().value_or(m_lastPosition);
        m_sampler.start();
    } else if (!tracking) {
        m_sampler.stop();
    }
}

std::optional<QPoint> X11PointerMonitor::pointerPosition()
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    xcb_query_pointer_reply_t *reply = xcb_query_pointer_reply(m_connection, xcb_query_pointer(m_connection, root), nullptr);
    if (!reply)
        return std::nullopt;
    const QPoint position(reply->root_x, reply->root_y);
    std::free(reply);
    // Reading the reply may have queued events without waking the notifier.
    readEvents();
    return position;
}

void X11PointerMonitor::readEvents()
{
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
        const bool isRawPress = (event->response_type & 0x7f) == XCB_GE_GENERIC
            && reinterpret_cast<xcb_ge_generic_event_t *>(event)->extension == m_inputOpcode
            && reinterpret_cast<xcb_ge_generic_event_t *>(event)->event_type == XCB_INPUT_RAW_BUTTON_PRESS;
        // Left (1) and right (3) clicks count; the middle button and the wheel (4 to 7) do not.
        const uint32_t button = isRawPress ? reinterpret_cast<xcb_input_raw_button_press_event_t *>(event)->detail : 0;
        std::free(event);
        if ((button == 1 || button == 3) && m_handlers.buttonPressed)
            m_handlers.buttonPressed();
    }
}

void X11PointerMonitor::samplePointer()
{
    const auto position = pointerPosition();
    if (!position || *position == m_lastPosition)
        return;
    m_lastPosition = *position;
    if (m_handlers.moved)
        m_handlers.moved();
}
