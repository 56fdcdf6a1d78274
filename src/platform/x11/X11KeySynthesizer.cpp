#include "platform/x11/X11KeySynthesizer.h"

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Keyboard.h"

#include <xcb/xcb_keysyms.h>
#include <xcb/xtest.h>

#include <QList>

#include <memory>

namespace {

// The keycodes held down right now.
QList<xcb_keycode_t> heldKeycodes(xcb_connection_t *c)
{
    QList<xcb_keycode_t> held;
    const X11Connection::ReplyPointer<xcb_query_keymap_reply_t> keymap(
        xcb_query_keymap_reply(c, xcb_query_keymap(c), nullptr));
    if (!keymap)
        return held;
    for (int byte = 0; byte < 32; ++byte) {
        for (int bit = 0; bit < 8; ++bit) {
            if (keymap->keys[byte] & (1 << bit))
                held.append(xcb_keycode_t(byte * 8 + bit));
        }
    }
    return held;
}

void fake(xcb_connection_t *c, uint8_t type, xcb_keycode_t keycode)
{
    xcb_test_fake_input(c, type, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
}

} // namespace

bool X11KeySynthesizer::keysHeld()
{
    xcb_connection_t *c = X11Connection::connection();
    return c && !heldKeycodes(c).isEmpty();
}

bool X11KeySynthesizer::sendChord(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return false;
    const xcb_query_extension_reply_t *xtest = xcb_get_extension_data(c, &xcb_test_id);
    if (!xtest || !xtest->present)
        return false;

    const std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)> symbols(xcb_key_symbols_alloc(c),
                                                                                       &xcb_key_symbols_free);
    const auto keycodeOf = [&symbols](xcb_keysym_t keysym) {
        const X11Connection::ReplyPointer<xcb_keycode_t> codes(xcb_key_symbols_get_keycode(symbols.get(), keysym));
        return codes ? *codes : xcb_keycode_t(0);
    };
    const xcb_keycode_t keycode = keycodeOf(X11Keyboard::keysymOfKey(key));
    if (keycode == 0)
        return false;
    QList<xcb_keycode_t> chordModifiers;
    const std::pair<Qt::KeyboardModifier, xcb_keysym_t> modifierKeys[] = {
        {Qt::ControlModifier, 0xffe3 /* Control_L */}, {Qt::ShiftModifier, 0xffe1 /* Shift_L */},
        {Qt::AltModifier, 0xffe9 /* Alt_L */}, {Qt::MetaModifier, 0xffeb /* Super_L */}};
    for (const auto &[modifier, keysym] : modifierKeys) {
        const xcb_keycode_t code = modifiers.testFlag(modifier) ? keycodeOf(keysym) : xcb_keycode_t(0);
        if (code != 0)
            chordModifiers.append(code);
    }

    // A key still down would join the chord (a held Alt makes Ctrl+Alt+C),
    // and the hot key's own letter keeps the keyboard in Orvane's grab.
    for (const xcb_keycode_t held : heldKeycodes(c))
        fake(c, XCB_KEY_RELEASE, held);
    for (const xcb_keycode_t modifier : std::as_const(chordModifiers))
        fake(c, XCB_KEY_PRESS, modifier);
    fake(c, XCB_KEY_PRESS, keycode);
    fake(c, XCB_KEY_RELEASE, keycode);
    for (auto it = chordModifiers.crbegin(); it != chordModifiers.crend(); ++it)
        fake(c, XCB_KEY_RELEASE, *it);
    xcb_flush(c);
    return true;
}
