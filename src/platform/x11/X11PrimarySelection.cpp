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

void X11PrimarySelection::readSelectedText(const DesktopApplication &source, Reply reply)
{
    xcb_connection_t *c = X11Connection::connection();
    const xcb_window_t owner = c && canRead() ? primaryOwner(c) : xcb_window_t(XCB_NONE);
    const bool sourceOwnsIt = owner != XCB_NONE
        && ((source.window != 0 && X11Clients::sameClient(c, owner, xcb_window_t(source.window)))
            || (source.processId != 0 && X11Clients::processOf(c, owner) == source.processId));
    if (sourceOwnsIt)
        m_text.read(std::move(reply));
    else
        reply(std::nullopt);
}
