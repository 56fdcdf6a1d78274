#pragma once

#include <QString>

#include <xcb/xcb.h>

// Reading X key events: keycodes, keysyms and modifier state.
namespace X11Keyboard {

// The key at this place on a US keyboard, by the keycodes of the evdev
// driver that every current X server uses; Qt::Key_unknown for other keys.
Qt::Key usKeyForKeycode(xcb_keycode_t keycode);
// What a Latin-1 or Unicode keysym types, lower-case; empty for keys that
// type nothing and for the older non-Latin keysyms (those keys are matched
// by their place instead).
QString characterOfKeysym(xcb_keysym_t keysym);
// The modifier a modifier key's keysym stands for; none for other keys.
Qt::KeyboardModifiers modifierOfKeysym(xcb_keysym_t keysym);
// The keysym of a letter or Space; 0 for other keys.
xcb_keysym_t keysymOfKey(Qt::Key key);

} // namespace X11Keyboard
