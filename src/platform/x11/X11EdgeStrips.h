#pragma once

#include "platform/EdgeStrips.h"

#include <QObject>
#include <QRect>

#include <xcb/xcb.h>

#include <memory>

class QSocketNotifier;
class X11DropReceiver;

// The strips as input-only X windows: nothing is ever drawn for them, so
// they are invisible with or without a compositor, yet they get the pointer,
// clicks and XDND drags. Override-redirect puts them above managed windows
// on every workspace, without a taskbar entry and never with the keyboard.
// They live on a connection of our own.
class X11EdgeStrips final : public QObject, public EdgeStrips
{
    Q_OBJECT

public:
    X11EdgeStrips();
    ~X11EdgeStrips() override;

    void setHandlers(Handlers handlers) override;
    void setFrames(const QList<QRectF> &frames) override;
    void setTakesInput(bool takesInput) override;

    // A desktop rectangle in the X server's pixels.
    static QRect nativeRect(const QRectF &desktopFrame);

private:
    bool connectToServer();
    void destroyWindows();
    void showWindows();
    void readEvents();

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_root = XCB_NONE;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::unique_ptr<X11DropReceiver> m_drops;
    QList<xcb_window_t> m_windows;
    bool m_takesInput = true;
    Handlers m_handlers;
};
