#include "platform/x11/X11EdgeStrips.h"

#include "platform/DesktopCoordinates.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11DropReceiver.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSocketNotifier>

#include <cstdlib>

X11EdgeStrips::X11EdgeStrips() = default;

X11EdgeStrips::~X11EdgeStrips()
{
    destroyWindows();
    m_notifier.reset();
    m_drops.reset();
    if (m_connection)
        xcb_disconnect(m_connection);
}

void X11EdgeStrips::setHandlers(Handlers handlers)
{
    m_handlers = std::move(handlers);
}

bool X11EdgeStrips::connectToServer()
{
    if (m_connection)
        return true;
    m_connection = X11Connection::connectPrivately();
    if (!m_connection)
        return false;
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    m_drops = std::make_unique<X11DropReceiver>(
        m_connection, X11DropReceiver::Handlers{[this] {
                                                    if (m_handlers.dragEntered)
                                                        m_handlers.dragEntered();
                                                },
                                                [this](const DragPayload &payload) {
                                                    return m_handlers.dropped && m_handlers.dropped(payload);
                                                }});
    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11EdgeStrips::readEvents);
    return true;
}

QRect X11EdgeStrips::nativeRect(const QRectF &desktopFrame)
{
    const QRectF logical = DesktopCoordinates::toQt(desktopFrame, DesktopCoordinates::primaryBottom());
    const QScreen *screen = QGuiApplication::screenAt(logical.center().toPoint());
    if (!screen)
        return logical.toRect();
    // Qt scales each screen around its own top left corner.
    const double ratio = screen->devicePixelRatio();
    const QPointF origin = screen->geometry().topLeft();
    return QRectF(origin + (logical.topLeft() - origin) * ratio, logical.size() * ratio).toRect();
}

void X11EdgeStrips::setFrames(const QList<QRectF> &frames)
{
    destroyWindows();
    if (frames.isEmpty() || !connectToServer())
        return;
    for (const QRectF &frame : frames) {
        const QRect rect = nativeRect(frame);
        const xcb_window_t window = xcb_generate_id(m_connection);
        const uint32_t values[] = {1, XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_BUTTON_PRESS};
        xcb_create_window(m_connection, 0, window, m_root, int16_t(rect.x()), int16_t(rect.y()),
                          uint16_t(rect.width()), uint16_t(rect.height()), 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                          XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
        const QByteArray name = "Orvane edge";
        xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                            uint32_t(name.size()), name.constData());
        m_drops->makeAware(window);
        m_windows.append(window);
    }
    if (m_takesInput)
        showWindows();
    xcb_flush(m_connection);
    // Asking for atoms above may have queued events that the notifier will not announce.
    readEvents();
}

void X11EdgeStrips::setTakesInput(bool takesInput)
{
    if (takesInput == m_takesInput)
        return;
    m_takesInput = takesInput;
    if (!m_connection)
        return;
    if (takesInput) {
        showWindows();
    } else {
        // An unmapped strip lets everything through to the windows below.
        for (const xcb_window_t window : std::as_const(m_windows))
            xcb_unmap_window(m_connection, window);
    }
    xcb_flush(m_connection);
}

// Mapping keeps a strip where it was stacked when it was made: above the
// windows of that moment and below the notches made after it. Raising it
// again would race the notches, which another connection stacks.
void X11EdgeStrips::showWindows()
{
    for (const xcb_window_t window : std::as_const(m_windows))
        xcb_map_window(m_connection, window);
}

void X11EdgeStrips::destroyWindows()
{
    if (!m_connection)
        return;
    for (const xcb_window_t window : std::as_const(m_windows))
        xcb_destroy_window(m_connection, window);
    m_windows.clear();
    xcb_flush(m_connection);
}

void X11EdgeStrips::readEvents()
{
    while (m_connection) {
        xcb_generic_event_t *event = xcb_poll_for_event(m_connection);
        if (!event)
            return;
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_ENTER_NOTIFY) {
            // Only the pointer moving in: not a grab ending over the strip.
            const auto *enter = reinterpret_cast<xcb_enter_notify_event_t *>(event);
            if (enter->mode == XCB_NOTIFY_MODE_NORMAL && m_windows.contains(enter->event) && m_handlers.pointerEntered)
                m_handlers.pointerEntered();
        } else if (type == XCB_BUTTON_PRESS) {
            const auto *press = reinterpret_cast<xcb_button_press_event_t *>(event);
            if (press->detail == 1 && m_windows.contains(press->event) && m_handlers.pressed)
                m_handlers.pressed();
        } else {
            m_drops->handle(event);
        }
        std::free(event);
    }
}
