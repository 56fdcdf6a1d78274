#include "platform/x11/X11SelectionText.h"

#include "platform/x11/X11Connection.h"

#include <QGuiApplication>
#include <QSocketNotifier>

#include <limits>
#include <utility>

namespace {

// Where the owner puts its answer, on our own window.
const QByteArray answerProperty = "ORVANE_SELECTION";

bool qtHoldsText(QClipboard::Mode mode)
{
    if (!X11Connection::connection())
        return true;
    const QClipboard *clipboard = QGuiApplication::clipboard();
    return mode == QClipboard::Selection ? clipboard->ownsSelection() : clipboard->ownsClipboard();
}

} // namespace

X11SelectionText::X11SelectionText(QClipboard::Mode mode) : m_mode(mode) {}

X11SelectionText::~X11SelectionText()
{
    m_notifier.reset();
    if (m_connection)
        xcb_disconnect(m_connection);
}

void X11SelectionText::read(Reply reply)
{
    dropRequest();
    if (qtHoldsText(m_mode)) {
        const QString text = QGuiApplication::clipboard()->text(m_mode);
        reply(text.isNull() ? std::nullopt : std::optional<QString>(text));
        return;
    }
    if (!connectToServer()) {
        reply(std::nullopt);
        return;
    }
    m_reply = std::move(reply);
    m_window = xcb_generate_id(m_connection);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(m_connection, 0, m_window, X11Connection::rootWindow(m_connection), 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    ask(X11Connection::atom(m_connection, "UTF8_STRING"));
}

bool X11SelectionText::connectToServer()
{
    if (m_connection)
        return true;
    m_connection = X11Connection::connectPrivately();
    if (!m_connection)
        return false;
    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &X11SelectionText::readEvents);
    return true;
}

void X11SelectionText::ask(xcb_atom_t target)
{
    m_target = target;
    const xcb_atom_t selection = m_mode == QClipboard::Selection ? xcb_atom_t(XCB_ATOM_PRIMARY)
                                                                 : X11Connection::atom(m_connection, "CLIPBOARD");
    xcb_convert_selection(m_connection, m_window, selection, target, X11Connection::atom(m_connection, answerProperty),
                          XCB_CURRENT_TIME);
    xcb_flush(m_connection);
}

void X11SelectionText::readEvents()
{
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
        handle(event);
        std::free(event);
    }
    if (xcb_connection_has_error(m_connection)) {
        finish(std::nullopt);
        m_notifier.reset();
        xcb_disconnect(m_connection);
        m_connection = nullptr;
    }
}

void X11SelectionText::handle(const xcb_generic_event_t *event)
{
    const xcb_atom_t property = X11Connection::atom(m_connection, answerProperty);
    switch (event->response_type & ~0x80) {
    case XCB_SELECTION_NOTIFY: {
        const auto *notify = reinterpret_cast<const xcb_selection_notify_event_t *>(event);
        if (notify->requestor != m_window || m_window == XCB_NONE || m_inPieces)
            return;
        // An owner that cannot give UTF-8 may still give Latin-1.
        if (notify->property == XCB_NONE && m_target != XCB_ATOM_STRING)
            ask(XCB_ATOM_STRING);
        else if (notify->property == XCB_NONE)
            finish(std::nullopt);
        else
            takeProperty();
        return;
    }
    case XCB_PROPERTY_NOTIFY: {
        const auto *change = reinterpret_cast<const xcb_property_notify_event_t *>(event);
        if (change->window == m_window && m_window != XCB_NONE && m_inPieces && change->atom == property
            && change->state == XCB_PROPERTY_NEW_VALUE)
            takeProperty();
        return;
    }
    default:
        return;
    }
}

// Deleting the property as it is read tells an owner sending pieces to send the next.
void X11SelectionText::takeProperty()
{
    const X11Connection::ReplyPointer<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 1, m_window, X11Connection::atom(m_connection, answerProperty),
                         XCB_GET_PROPERTY_TYPE_ANY, 0, std::numeric_limits<uint32_t>::max() / 4),
        nullptr));
    if (!reply) {
        finish(std::nullopt);
        return;
    }
    if (reply->type == X11Connection::atom(m_connection, "INCR")) {
        m_inPieces = true;
        return;
    }
    const QByteArray value(static_cast<const char *>(xcb_get_property_value(reply.get())),
                           xcb_get_property_value_length(reply.get()));
    if (m_inPieces && !value.isEmpty()) {
        m_pieces += value;
        return;
    }
    const QByteArray text = m_inPieces ? m_pieces : value;
    finish(m_target == XCB_ATOM_STRING ? QString::fromLatin1(text) : QString::fromUtf8(text));
}

void X11SelectionText::finish(const std::optional<QString> &text)
{
    const Reply reply = std::exchange(m_reply, {});
    dropRequest();
    if (reply)
        reply(text);
}

void X11SelectionText::dropRequest()
{
    m_reply = {};
    m_inPieces = false;
    m_pieces.clear();
    if (m_window != XCB_NONE && m_connection) {
        xcb_destroy_window(m_connection, m_window);
        xcb_flush(m_connection);
    }
    m_window = XCB_NONE;
}
