#include "platform/x11/X11GlobalKeyMonitor.h"

#include "platform/x11/X11Keyboard.h"

#include <QCursor>
#include <QGuiApplication>
#include <QWindow>
#include <QSocketNotifier>

#include <xcb/xcb_keysyms.h>
#include <xcb/xinput.h>

#include <algorithm>
#include <cstdlib>

X11GlobalKeyMonitor::X11GlobalKeyMonitor() = default;

X11GlobalKeyMonitor::~X11GlobalKeyMonitor()
{
    remove();
}

bool X11GlobalKeyMonitor::install(Handler handler)
{
    remove();
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection)) {
        remove();
        return false;
    }
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(m_connection, &xcb_input_id);
    xcb_input_xi_query_version_reply_t *version =
        extension && extension->present
            ? xcb_input_xi_query_version_reply(m_connection, xcb_input_xi_query_version(m_connection, 2, 2), nullptr)
            : nullptr;
    // Raw events reach every listener, whoever holds the keyboard, from XInput 2.1 on.
    const bool usable = version && (version->major_version > 2 || version->minor_version >= 1);
    std::free(version);
    if (!usable) {
        remove();
        return false;
    }
    m_inputOpcode = extension->major_opcode;
    m_symbols = xcb_key_symbols_alloc(m_connection);

    struct
    {
        xcb_input_event_mask_t head;
        uint32_t mask;
    } selection = {{XCB_INPUT_DEVICE_ALL_MASTER, 1},
                   XCB_INPUT_XI_EVENT_MASK_RAW_KEY_PRESS | XCB_INPUT_XI_EVENT_MASK_RAW_KEY_RELEASE};
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    xcb_input_xi_select_events(m_connection, root, 1, &selection.head);
    xcb_flush(m_connection);

    m_handler = std::move(handler);
    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11GlobalKeyMonitor::readEvents);
    return true;
}

void X11GlobalKeyMonitor::remove()
{
    m_notifier.reset();
    m_handler = nullptr;
    m_heldModifierKeys.clear();
    if (m_symbols)
        xcb_key_symbols_free(m_symbols);
    m_symbols = nullptr;
    if (m_connection)
        xcb_disconnect(m_connection);
    m_connection = nullptr;
}

void X11GlobalKeyMonitor::readEvents()
{
    while (m_connection) {
        xcb_generic_event_t *event = xcb_poll_for_event(m_connection);
        if (!event)
            return;
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_MAPPING_NOTIFY) {
            xcb_refresh_keyboard_mapping(m_symbols, reinterpret_cast<xcb_mapping_notify_event_t *>(event));
        } else if (type == XCB_GE_GENERIC && reinterpret_cast<xcb_ge_generic_event_t *>(event)->extension == m_inputOpcode) {
            const auto *raw = reinterpret_cast<xcb_input_raw_key_press_event_t *>(event);
            const auto keycode = xcb_keycode_t(raw->detail);
            const bool isModifier =
                X11Keyboard::modifierOfKeysym(xcb_key_symbols_get_keysym(m_symbols, keycode, 0)) != Qt::NoModifier;
            if (raw->event_type == XCB_INPUT_RAW_KEY_RELEASE)
                m_heldModifierKeys.remove(keycode);
            else if (isModifier)
                m_heldModifierKeys.insert(keycode);
            else if (raw->event_type == XCB_INPUT_RAW_KEY_PRESS)
                keyPressed(keycode);
        }
        std::free(event);
    }
}

// Asked of the server, not of Qt: Qt learns of a focus change through its
// own connection, possibly after this press has come through ours, and the
// local monitor would then see the same press a second time.
bool X11GlobalKeyMonitor::isKeyboardInOurWindow()
{
    xcb_get_input_focus_reply_t *reply =
        xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr);
    const xcb_window_t focus = reply ? reply->focus : xcb_window_t(XCB_NONE);
    std::free(reply);
    // Without a window manager the keyboard usually follows the pointer.
    if (focus == XCB_INPUT_FOCUS_POINTER_ROOT)
        return QGuiApplication::topLevelAt(QCursor::pos()) != nullptr;
    const QWindowList windows = QGuiApplication::allWindows();
    return std::any_of(windows.cbegin(), windows.cend(), [focus](const QWindow *window) {
        return window->handle() && window->winId() == focus;
    });
}

void X11GlobalKeyMonitor::keyPressed(xcb_keycode_t keycode)
{
    // Presses in our own windows are the local monitor's.
    if (!m_handler || isKeyboardInOurWindow())
        return;
    KeyStroke stroke;
    for (const xcb_keycode_t held : std::as_const(m_heldModifierKeys))
        stroke.modifiers |= X11Keyboard::modifierOfKeysym(xcb_key_symbols_get_keysym(m_symbols, held, 0));
    stroke.character = X11Keyboard::characterOfKeysym(xcb_key_symbols_get_keysym(m_symbols, keycode, 0));
    stroke.usKey = X11Keyboard::usKeyForKeycode(keycode);
    m_handler(stroke);
}

