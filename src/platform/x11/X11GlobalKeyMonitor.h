#pragma once

#include "platform/KeyMonitor.h"

#include <QObject>
#include <QSet>

#include <xcb/xcb.h>

#include <memory>

class QSocketNotifier;
struct _XCBKeySymbols;

// Key presses meant for other applications, from XInput2 raw key events on
// a connection of our own. Only which modifier keys are held is kept; no
// other key is stored or written anywhere.
class X11GlobalKeyMonitor final : public QObject, public KeyMonitor
{
    Q_OBJECT

public:
    X11GlobalKeyMonitor();
    ~X11GlobalKeyMonitor() override;

    bool install(Handler handler) override;
    void remove() override;

private:
    void readEvents();
    void keyPressed(xcb_keycode_t keycode);
    bool isKeyboardInOurWindow();

    xcb_connection_t *m_connection = nullptr;
    _XCBKeySymbols *m_symbols = nullptr;
    uint8_t m_inputOpcode = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QSet<xcb_keycode_t> m_heldModifierKeys;
    Handler m_handler;
};
