#include "platform/x11/X11Clients.h"

#include "platform/x11/X11Connection.h"

#include <xcb/res.h>

#include <cstring>

namespace X11Clients {

namespace {

quint32 clientBase(xcb_connection_t *connection, xcb_window_t window)
{
    return window & ~xcb_get_setup(connection)->resource_id_mask;
}

} // namespace

std::optional<QByteArray> property(xcb_connection_t *connection, xcb_window_t window, const QByteArray &name,
                                   xcb_atom_t type)
{
    const xcb_atom_t atom = X11Connection::atom(connection, name);
    if (atom == XCB_ATOM_NONE)
        return std::nullopt;
    const X11Connection::ReplyPointer<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, atom, type, 0, 1u << 16), nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE || (type != XCB_GET_PROPERTY_TYPE_ANY && reply->type != type))
        return std::nullopt;
    return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
}

quint32 firstItem(xcb_connection_t *connection, xcb_window_t window, const QByteArray &name, xcb_atom_t type)
{
    const std::optional<QByteArray> value = property(connection, window, name, type);
    quint32 item = 0;
    if (value && value->size() >= qsizetype(sizeof item))
        std::memcpy(&item, value->constData(), sizeof item);
    return item;
}

qint64 processOf(xcb_connection_t *connection, xcb_window_t window)
{
    if (const quint32 pid = firstItem(connection, window, "_NET_WM_PID", XCB_ATOM_CARDINAL))
        return pid;
    xcb_res_client_id_spec_t spec{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    const X11Connection::ReplyPointer<xcb_res_query_client_ids_reply_t> reply(
        xcb_res_query_client_ids_reply(connection, xcb_res_query_client_ids(connection, 1, &spec), nullptr));
    if (!reply)
        return 0;
    for (auto ids = xcb_res_query_client_ids_ids_iterator(reply.get()); ids.rem; xcb_res_client_id_value_next(&ids)) {
        if ((ids.data->spec.mask & XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID)
            && xcb_res_client_id_value_value_length(ids.data) >= 1)
            return *xcb_res_client_id_value_value(ids.data);
    }
    return 0;
}

bool sameClient(xcb_connection_t *connection, xcb_window_t first, xcb_window_t second)
{
    return clientBase(connection, first) == clientBase(connection, second);
}

bool isOwn(xcb_connection_t *connection, xcb_window_t window)
{
    return clientBase(connection, window) == xcb_get_setup(connection)->resource_id_base;
}

QString windowManagerName(xcb_connection_t *connection)
{
    const xcb_window_t root = X11Connection::rootWindow(connection);
    const xcb_window_t check = firstItem(connection, root, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW);
    if (check == XCB_NONE)
        return {};
    // A manager that ended without cleaning up leaves the property naming a window that is gone.
    const std::optional<QByteArray> name =
        property(connection, check, "_NET_WM_NAME", X11Connection::atom(connection, "UTF8_STRING"));
    if (!name)
        return firstItem(connection, check, "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW) == check
                   ? QStringLiteral("(unnamed)")
                   : QString();
    return QString::fromUtf8(*name).trimmed();
}

} // namespace X11Clients

