#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <QHash>

#include <cstdlib>

namespace X11Connection {

xcb_connection_t *connection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootWindow(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

xcb_atom_t atom(xcb_connection_t *connection, const QByteArray &name)
{
    // An atom never changes while the connection lives: ask the server once.
    static QHash<std::pair<xcb_connection_t *, QByteArray>, xcb_atom_t> known;
    const auto cached = known.constFind({connection, name});
    if (cached != known.cend())
        return *cached;
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    if (result != XCB_ATOM_NONE)
        known.insert({connection, name}, result);
    return result;
}

xcb_connection_t *connectPrivately()
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (!xcb_connection_has_error(connection))
        return connection;
    xcb_disconnect(connection);
    return nullptr;
}

} // namespace X11Connection
