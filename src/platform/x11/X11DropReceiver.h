#pragma once

#include "platform/DragPayload.h"

#include <QList>

#include <xcb/xcb.h>

#include <functional>

// The receiving side of XDND (version 5) for windows Qt does not know: our
// own input-only edge strips. Every drag is answered "copy"; a drop is read
// as a URI list, or else as text, and the source is told whether it was taken.
class X11DropReceiver final
{
public:
    struct Handlers
    {
        std::function<void()> entered;
        std::function<bool(const DragPayload &)> dropped;
    };

    X11DropReceiver(xcb_connection_t *connection, Handlers handlers);

    void makeAware(xcb_window_t window);
    // Takes the client messages and selection replies of a drag; false for
    // any other event.
    bool handle(const xcb_generic_event_t *event);

private:
    enum class Stage { Idle, Hovering, ReadingUrls, ReadingTexts };

    void enter(const xcb_client_message_event_t &message);
    void position(const xcb_client_message_event_t &message);
    void drop(const xcb_client_message_event_t &message);
    void selectionArrived(const xcb_selection_notify_event_t &notify);
    // Asks the source for the drag's text, or refuses the drop without any.
    void requestTexts();
    void request(xcb_atom_t type);
    QByteArray takeProperty(xcb_atom_t property);
    void finish(bool taken);
    void send(xcb_window_t to, xcb_atom_t type, const uint32_t (&data)[5]);
    xcb_atom_t atom(const char *name) const;
    bool offers(xcb_atom_t type) const { return m_types.contains(type); }

    xcb_connection_t *m_connection;
    Handlers m_handlers;
    Stage m_stage = Stage::Idle;
    xcb_window_t m_source = XCB_NONE;
    xcb_window_t m_target = XCB_NONE;
    xcb_timestamp_t m_dropTime = XCB_CURRENT_TIME;
    xcb_atom_t m_requested = XCB_NONE;
    QList<xcb_atom_t> m_types;
};
