#pragma once

#include <QString>
#include <qnamespace.h>

#include <functional>

// One key press, as the key rules read it.
struct KeyStroke
{
    // Only Shift, Control, Alt and Meta; lock and keypad states are left out.
    Qt::KeyboardModifiers modifiers;
    // What the key types without modifiers in the current layout, lower-case;
    // empty for keys that type nothing.
    QString character;
    // The key found at the same place on a US keyboard, so that shortcuts
    // also work in layouts without Latin letters; Qt::Key_unknown when none.
    Qt::Key usKey = Qt::Key_unknown;

    bool operator==(const KeyStroke &) const = default;
};

// Watches key presses: those meant for this application (the local monitor,
// which may keep a press from going further) or those meant for others (the
// global monitor, which cannot).
class KeyMonitor
{
public:
    virtual ~KeyMonitor() = default;
    KeyMonitor() = default;
    KeyMonitor(const KeyMonitor &) = delete;
    KeyMonitor &operator=(const KeyMonitor &) = delete;

    // Answers whether it handled the press; a local monitor then swallows it.
    using Handler = std::function<bool(const KeyStroke &)>;

    // False when the desktop refuses the monitor; nothing is watched then.
    virtual bool install(Handler handler) = 0;
    virtual void remove() = 0;
};
