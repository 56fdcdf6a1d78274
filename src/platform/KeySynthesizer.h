#pragma once

#include <Qt>

// Key presses made up by Orvane, delivered as if typed to the focused window.
class KeySynthesizer
{
public:
    virtual ~KeySynthesizer() = default;
    KeySynthesizer() = default;
    KeySynthesizer(const KeySynthesizer &) = delete;
    KeySynthesizer &operator=(const KeySynthesizer &) = delete;

    // Whether any key of the keyboard is down right now.
    virtual bool keysHeld() = 0;
    // Presses and releases `key` with `modifiers`. Modifier keys still held
    // are released first, so that the window sees exactly this chord. False
    // when the desktop takes no made-up keys.
    virtual bool sendChord(Qt::Key key, Qt::KeyboardModifiers modifiers) = 0;
};
