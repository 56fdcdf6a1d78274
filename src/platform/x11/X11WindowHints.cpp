#include "platform/x11/X11WindowHints.h"

#include "platform/x11/X11Connection.h"

#include <QWindow>

#include <cstdlib>
#include <vector>

void X11WindowHints::makeSidePanel(QWindow *window)
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return;
    const xcb_window_t id = xcb_window_t(window->winId());
    const std::vector<xcb_atom_t> states = {
        X11Connection::atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
        X11Connection::atom(c, "_NET_WM_STATE_SKIP_PAGER"),
        X11Connection::atom(c, "_NET_WM_STATE_ABOVE"),
        X11Connection::atom(c, "_NET_WM_STATE_STICKY"),
    };
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, X11Connection::atom(c, "_NET_WM_STATE"), XCB_ATOM_ATOM, 32,
                        uint32_t(states.size()), states.data());
    const uint32_t allDesktops = 0xFFFFFFFF;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, X11Connection::atom(c, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL,
                        32, 1, &allDesktops);
    xcb_flush(c);
}

bool X11WindowHints::hasCompositor() const
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c)
        return true;
    const int screen = 0;
    const xcb_atom_t selection = X11Connection::atom(c, "_NET_WM_CM_S" + QByteArray::number(screen));
    xcb_get_selection_owner_reply_t *reply =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const bool owned = reply && reply->owner != XCB_NONE;
    std::free(reply);
    return owned;
}
