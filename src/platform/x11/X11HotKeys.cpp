#include "platform/x11/X11HotKeys.h"

#include "platform/x11/X11Keyboard.h"

#include <QSocketNotifier>

#include <xcb/xcb_keysyms.h>

#include <cstdlib>
#include <utility>

namespace {
constexpr xcb_keysym_t numLockKeysym = 0xff7f;
constexpr xcb_keysym_t altLKeysym = 0xffe9;
constexpr xcb_keysym_t superLKeysym = 0xffeb;
} // namespace

X11HotKeys::X11HotKeys() = default;

X11HotKeys::~X11HotKeys()
{
    removeHandler();
}

int X11HotKeys::installHandler(Handlers handlers)
{
    removeHandler();
    m_connection = xcb_connect(nullptr, nullptr);
    if (const int error = xcb_connection_has_error(m_connection)) {
        xcb_disconnect(m_connection);
        m_connection = nullptr;
        return error;
    }
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    m_symbols = xcb_key_symbols_alloc(m_connection);
    readModifierMasks();
    m_handlers = std::move(handlers);
    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11HotKeys::readEvents);
    return 0;
}

void X11HotKeys::removeHandler()
{
    for (const Grab &grab : std::as_const(m_grabs))
        ungrab(grab);
    m_grabs.clear();
    m_notifier.reset();
    m_handlers = {};
    if (m_symbols)
        xcb_key_symbols_free(m_symbols);
    m_symbols = nullptr;
    if (m_connection) {
        xcb_flush(m_connection);
        xcb_disconnect(m_connection);
    }
    m_connection = nullptr;
}

// Alt, Super and Num Lock sit on whichever modifier the keymap puts them.
void X11HotKeys::readModifierMasks()
{
    xcb_get_modifier_mapping_reply_t *map =
        xcb_get_modifier_mapping_reply(m_connection, xcb_get_modifier_mapping(m_connection), nullptr);
    if (!map)
        return;
    const xcb_keycode_t *keycodes = xcb_get_modifier_mapping_keycodes(map);
    const int perModifier = map->keycodes_per_modifier;
    const auto maskOf = [&](xcb_keysym_t keysym, uint16_t fallback) {
        for (int modifier = 0; modifier < 8; ++modifier) {
            for (int i = 0; i < perModifier; ++i) {
                const xcb_keycode_t keycode = keycodes[modifier * perModifier + i];
                if (keycode && xcb_key_symbols_get_keysym(m_symbols, keycode, 0) == keysym)
                    return uint16_t(1 << modifier);
            }
        }
        return fallback;
    };
    m_numLockMask = maskOf(numLockKeysym, 0);
    m_altMask = maskOf(altLKeysym, XCB_MOD_MASK_1);
    m_superMask = maskOf(superLKeysym, XCB_MOD_MASK_4);
    std::free(map);
}

uint16_t X11HotKeys::modifierMask(Qt::KeyboardModifiers modifiers) const
{
    uint16_t mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & Qt::AltModifier)
        mask |= m_altMask;
    if (modifiers & Qt::MetaModifier)
        mask |= m_superMask;
    return mask;
}

QList<uint16_t> X11HotKeys::lockVariants() const
{
    QList<uint16_t> variants = {0, XCB_MOD_MASK_LOCK};
    if (m_numLockMask)
        variants += {m_numLockMask, uint16_t(m_numLockMask | XCB_MOD_MASK_LOCK)};
    return variants;
}

bool X11HotKeys::registerHotKey(quint32 id, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &)
{
    if (!m_connection || !X11Keyboard::keysymOfKey(key))
        return false;
    Grab hotKey{id, key, modifiers, 0, {}, true};
    if (!grab(hotKey))
        return false;
    m_grabs.append(hotKey);
    return true;
}

void X11HotKeys::unregisterHotKey(quint32 id)
{
    for (qsizetype i = 0; i < m_grabs.size(); ++i) {
        if (m_grabs.at(i).id == id) {
            ungrab(m_grabs.takeAt(i));
            xcb_flush(m_connection);
            return;
        }
    }
}

bool X11HotKeys::grab(Grab &hotKey)
{
    hotKey.modifiers = modifierMask(hotKey.qtModifiers);
    hotKey.keycodes.clear();
    xcb_keycode_t *keycodes = xcb_key_symbols_get_keycode(m_symbols, X11Keyboard::keysymOfKey(hotKey.key));
    for (xcb_keycode_t *k = keycodes; k && *k != XCB_NO_SYMBOL; ++k)
        hotKey.keycodes.append(*k);
    std::free(keycodes);
    if (hotKey.keycodes.isEmpty())
        return false;

    // Checked requests: a refusal (BadAccess) comes back per request, with no
    // process-wide error handler involved.
    QList<xcb_void_cookie_t> cookies;
    for (const xcb_keycode_t keycode : std::as_const(hotKey.keycodes)) {
        for (const uint16_t lock : lockVariants()) {
            cookies.append(xcb_grab_key_checked(m_connection, 0, m_root, hotKey.modifiers | lock, keycode,
                                                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        }
    }
    bool refused = false;
    for (const xcb_void_cookie_t cookie : std::as_const(cookies)) {
        if (xcb_generic_error_t *error = xcb_request_check(m_connection, cookie)) {
            refused = true;
            std::free(error);
        }
    }
    if (refused) {
        // Ungrabbing what we do not hold is harmless: it never touches another program's grab.
        ungrab(hotKey);
        xcb_flush(m_connection);
    }
    return !refused;
}

void X11HotKeys::ungrab(const Grab &hotKey)
{
    for (const xcb_keycode_t keycode : hotKey.keycodes) {
        for (const uint16_t lock : lockVariants())
            xcb_ungrab_key(m_connection, keycode, m_root, hotKey.modifiers | lock);
    }
}

void X11HotKeys::readEvents()
{
    while (m_connection) {
        xcb_generic_event_t *event = xcb_poll_for_event(m_connection);
        if (!event)
            return;
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_KEY_PRESS) {
            const auto *press = reinterpret_cast<xcb_key_press_event_t *>(event);
            const uint16_t relevant = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | m_altMask | m_superMask;
            for (const Grab &hotKey : std::as_const(m_grabs)) {
                if (hotKey.keycodes.contains(press->detail) && (press->state & relevant) == hotKey.modifiers && m_handlers.pressed)
                    m_handlers.pressed(hotKey.id);
            }
        } else if (type == XCB_MAPPING_NOTIFY) {
            grabAnew(reinterpret_cast<xcb_mapping_notify_event_t *>(event));
        }
        std::free(event);
    }
}

// The keys now sit on other keycodes, or the modifiers moved. On its new
// keycodes a combination may collide with another program's grab; one
// refused now is tried again at the next change.
void X11HotKeys::grabAnew(xcb_mapping_notify_event_t *change)
{
    for (const Grab &hotKey : std::as_const(m_grabs)) {
        if (hotKey.held)
            ungrab(hotKey);
    }
    xcb_refresh_keyboard_mapping(m_symbols, change);
    readModifierMasks();
    QList<std::pair<quint32, bool>> changes;
    for (Grab &hotKey : m_grabs) {
        const bool held = grab(hotKey);
        if (held != hotKey.held)
            changes.append({hotKey.id, held});
        hotKey.held = held;
    }
    xcb_flush(m_connection);
    // Reported last, through a copy: a handler may change the grabs or remove itself.
    const auto regrabbed = m_handlers.regrabbed;
    for (const auto &[id, held] : std::as_const(changes)) {
        if (regrabbed)
            regrabbed(id, held);
    }
}
