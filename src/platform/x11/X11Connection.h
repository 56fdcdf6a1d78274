#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

// Qt's own connection to the X server, for the few things Qt does not offer.
namespace X11Connection {

// Null unless the application runs on X11 (the "xcb" platform).
xcb_connection_t *connection();
xcb_window_t rootWindow(xcb_connection_t *connection);
xcb_atom_t atom(xcb_connection_t *connection, const QByteArray &name);

} // namespace X11Connection
