#pragma once

#include "platform/GlobalHotKeys.h"

#include <QList>
#include <QObject>

#include <xcb/xcb.h>

#include <memory>

class QSocketNotifier;
struct _XCBKeySymbols;

// System-wide combinations as passive key grabs on the root window, on a
// connection of our own. A combination is grabbed by keysym (so it follows
// the keyboard layout) once for every state of Caps Lock and Num Lock; the
// server refuses a combination another program has grabbed. A change of the
// keyboard mapping grabs every combination anew and reports those refused on
// their new keys, and those held again.
class X11HotKeys final : public QObject, public GlobalHotKeys
{
    Q_OBJECT

public:
    X11HotKeys();
    ~X11HotKeys() override;

    int installHandler(Handlers handlers) override;
    void removeHandler() override;
    bool registerHotKey(quint32 id, Qt::Key key, Qt::KeyboardModifiers modifiers, const QString &) override;
    void unregisterHotKey(quint32 id) override;

private:
    struct Grab
    {
        quint32 id;
        Qt::Key key;
        Qt::KeyboardModifiers qtModifiers;
        // As the server reads them, for the keymap of the last grab.
        uint16_t modifiers;
        QList<xcb_keycode_t> keycodes;
        // False while the keyboard mapping has it refused.
        bool held;
    };

    void readEvents();
    void grabAnew(xcb_mapping_notify_event_t *change);
    void readModifierMasks();
    uint16_t modifierMask(Qt::KeyboardModifiers modifiers) const;
    // Grabs every keycode of the key in every lock state; all or nothing.
    bool grab(Grab &grab);
    void ungrab(const Grab &grab);
    QList<uint16_t> lockVariants() const;

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    _XCBKeySymbols *m_symbols = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    Handlers m_handlers;
    QList<Grab> m_grabs;
    uint16_t m_altMask = XCB_MOD_MASK_1;
    uint16_t m_superMask = XCB_MOD_MASK_4;
    uint16_t m_numLockMask = XCB_MOD_MASK_2;
};
