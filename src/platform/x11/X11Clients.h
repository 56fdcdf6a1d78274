#pragma once

#include <QByteArray>
#include <QString>

#include <xcb/xcb.h>

#include <optional>

// Which X client made a window, and the properties that tell about it.
namespace X11Clients {

// The value of a window's property; nothing when it has none of that type.
std::optional<QByteArray> property(xcb_connection_t *connection, xcb_window_t window, const QByteArray &name,
                                   xcb_atom_t type);
// The first 32-bit item of such a property, 0 when there is none.
quint32 firstItem(xcb_connection_t *connection, xcb_window_t window, const QByteArray &name, xcb_atom_t type);
// The process that made the window: _NET_WM_PID, else the server's own record
// (X-Resource) for clients on this machine; 0 when neither tells.
qint64 processOf(xcb_connection_t *connection, xcb_window_t window);
// Whether both windows were made over the same connection to the server.
bool sameClient(xcb_connection_t *connection, xcb_window_t first, xcb_window_t second);
// Whether the window was made over `connection` itself.
bool isOwn(xcb_connection_t *connection, xcb_window_t window);
// What the running window manager calls itself (_NET_WM_NAME of the
// _NET_SUPPORTING_WM_CHECK window); empty when none runs.
QString windowManagerName(xcb_connection_t *connection);

} // namespace X11Clients
