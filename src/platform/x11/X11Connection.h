#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

// Qt's own connection to the X server, for the few things Qt does not offer.
namespace X11Connection {

// Null unless the application runs on X11 (the "xcb" platform).
xcb_connection_t *connection();
xcb_window_t rootWindow(xcb_connection_t *connection);
xcb_atom_t atom(xcb_connection_t *connection, const QByteArray &name);
// A connection of the caller's own to the same server, for events Qt's
// would not hand on; null when none can be made. Close it with xcb_disconnect.
xcb_connection_t *connectPrivately();

// A reply of the server, freed as xcb wants it.
struct FreeReply
{
    void operator()(void *reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPointer = std::unique_ptr<Reply, FreeReply>;

} // namespace X11Connection
