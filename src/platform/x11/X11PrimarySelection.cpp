#include "platform/x11/X11PrimarySelection.h"

#include "platform/x11/X11Clients.h"
#include "platform/x11/X11Connection.h"

#include <QClipboard>
#include <QGuiApplication>

namespace {

xcb_window_t primaryOwner(xcb_connection_t *c)
{
    const X11Connection::ReplyPointer<xcb_get_selection_owner_reply_t> reply(
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, XCB_ATOM_PRIMARY), nullptr));
    return reply ? reply->owner : xcb_window_t(XCB_NONE);
}

} // namespace

bool X11PrimarySelection::canRead() const
{
    return X11Connection::connection() && QGuiApplication::clipboard()->supportsSelection();
}

std::optional<QString> X11PrimarySelection::selectedText(const DesktopApplication &source)
{
    xcb_connection_t *c = X11Connection::connection();
    if (!c || !canRead())
        return std::nullopt;
    const xcb_window_t owner = primaryOwner(c);
    if (owner == XCB_NONE)
        return std::nullopt;
    const bool sourceOwnsIt = (source.window != 0 && X11Clients::sameClient(c, owner, xcb_window_t(source.window)))
        || (source.processId != 0 && X11Clients::processOf(c, owner) == source.processId);
    if (!sourceOwnsIt)
        return std::nullopt;
    const QString text = QGuiApplication::clipboard()->text(QClipboard::Selection);
    if (text.isNull())
        return std::nullopt;
    return text;
}
