#include "platform/x11/X11DropReceiver.h"

#include "platform/x11/X11Connection.h"

#include <QUrl>

#include <algorithm>
#include <cstdlib>

namespace {
constexpr uint32_t xdndVersion = 5;
// The text types a drag may offer, the most faithful first.
constexpr const char *textTypes[] = {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain", "STRING", "TEXT"};

QList<QUrl> urlsOfUriList(const QByteArray &list)
{
    QList<QUrl> urls;
    const QList<QByteArray> lines = list.split('\n');
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith('#'))
            continue;
        const QUrl url = QUrl::fromEncoded(line);
        if (url.isValid() && !url.scheme().isEmpty())
            urls.append(url);
    }
    return urls;
}
} // namespace

X11DropReceiver::X11DropReceiver(xcb_connection_t *connection, Handlers handlers)
    : m_connection(connection), m_handlers(std::move(handlers))
{
}

xcb_atom_t X11DropReceiver::atom(const char *name) const
{
    return X11Connection::atom(m_connection, QByteArray(name));
}

void X11DropReceiver::makeAware(xcb_window_t window)
{
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, window, atom("XdndAware"), XCB_ATOM_ATOM, 32, 1,
                        &xdndVersion);
}

bool X11DropReceiver::handle(const xcb_generic_event_t *event)
{
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_SELECTION_NOTIFY) {
        const auto &notify = *reinterpret_cast<const xcb_selection_notify_event_t *>(event);
        if (notify.selection != atom("XdndSelection"))
            return false;
        selectionArrived(notify);
        return true;
    }
    if (type != XCB_CLIENT_MESSAGE)
        return false;
    const auto &message = *reinterpret_cast<const xcb_client_message_event_t *>(event);
    if (message.type == atom("XdndEnter"))
        enter(message);
    else if (message.type == atom("XdndPosition"))
        position(message);
    else if (message.type == atom("XdndLeave"))
        m_stage = Stage::Idle;
    else if (message.type == atom("XdndDrop"))
        drop(message);
    else
        return false;
    return true;
}

void X11DropReceiver::enter(const xcb_client_message_event_t &message)
{
    m_stage = Stage::Hovering;
    m_source = message.data.data32[0];
    m_target = message.window;
    m_types.clear();
    const bool moreThanThree = message.data.data32[1] & 1;
    if (!moreThanThree) {
        for (int i = 2; i <= 4; ++i) {
            if (message.data.data32[i] != XCB_NONE)
                m_types.append(message.data.data32[i]);
        }
    } else if (xcb_get_property_reply_t *list = xcb_get_property_reply(
                   m_connection, xcb_get_property(m_connection, 0, m_source, atom("XdndTypeList"), XCB_ATOM_ATOM, 0, 1024),
                   nullptr)) {
        const auto *types = static_cast<const xcb_atom_t *>(xcb_get_property_value(list));
        m_types = QList<xcb_atom_t>(types, types + xcb_get_property_value_length(list) / 4);
        std::free(list);
    }
    if (m_handlers.entered)
        m_handlers.entered();
}

// Every position is answered "copy, keep telling me", whatever the drag
// carries: what can be taken is decided at the drop.
void X11DropReceiver::position(const xcb_client_message_event_t &message)
{
    if (m_stage != Stage::Hovering || message.data.data32[0] != m_source)
        return;
    send(m_source, atom("XdndStatus"), {m_target, 0b11, 0, 0, atom("XdndActionCopy")});
}

void X11DropReceiver::drop(const xcb_client_message_event_t &message)
{
    if (m_stage != Stage::Hovering || message.data.data32[0] != m_source)
        return;
    m_dropTime = message.data.data32[2];
    if (offers(atom("text/uri-list"))) {
        m_stage = Stage::ReadingUrls;
        request(atom("text/uri-list"));
    } else {
        requestTexts();
    }
}

void X11DropReceiver::requestTexts()
{
    m_stage = Stage::ReadingTexts;
    for (const char *name : textTypes) {
        if (offers(atom(name))) {
            request(atom(name));
            return;
        }
    }
    finish(false);
}

void X11DropReceiver::request(xcb_atom_t type)
{
    m_requested = type;
    xcb_convert_selection(m_connection, m_target, atom("XdndSelection"), type, atom("ORVANE_DROP"), m_dropTime);
    xcb_flush(m_connection);
}

QByteArray X11DropReceiver::takeProperty(xcb_atom_t property)
{
    QByteArray data;
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 1, m_target, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1u << 24),
        nullptr);
    // Data sent in increments (INCR) is larger than a drop onto the edge
    // should carry; it reads as nothing, and the drop is refused.
    if (reply && reply->type != atom("INCR"))
        data = QByteArray(static_cast<const char *>(xcb_get_property_value(reply)), xcb_get_property_value_length(reply));
    std::free(reply);
    return data;
}

void X11DropReceiver::selectionArrived(const xcb_selection_notify_event_t &notify)
{
    if ((m_stage != Stage::ReadingUrls && m_stage != Stage::ReadingTexts) || notify.requestor != m_target)
        return;
    const QByteArray data = notify.property == XCB_NONE ? QByteArray() : takeProperty(notify.property);
    DragPayload payload;
    if (m_stage == Stage::ReadingUrls) {
        payload.urls = urlsOfUriList(data);
        if (payload.urls.isEmpty()) {
            requestTexts();
            return;
        }
    } else {
        const bool latin1 = m_requested == atom("STRING");
        const QString text = latin1 ? QString::fromLatin1(data) : QString::fromUtf8(data);
        if (text.isEmpty()) {
            finish(false);
            return;
        }
        payload.texts.append(text);
    }
    finish(m_handlers.dropped && m_handlers.dropped(payload));
}

void X11DropReceiver::finish(bool taken)
{
    send(m_source, atom("XdndFinished"), {m_target, taken ? 1u : 0u, taken ? atom("XdndActionCopy") : xcb_atom_t(XCB_NONE), 0, 0});
    m_stage = Stage::Idle;
}

void X11DropReceiver::send(xcb_window_t to, xcb_atom_t type, const uint32_t (&data)[5])
{
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = to;
    message.type = type;
    std::copy(std::begin(data), std::end(data), message.data.data32);
    xcb_send_event(m_connection, 0, to, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char *>(&message));
    xcb_flush(m_connection);
}
