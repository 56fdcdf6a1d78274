#pragma once

#include <QClipboard>
#include <QObject>

#include <xcb/xcb.h>

#include <functional>
#include <memory>
#include <optional>

class QSocketNotifier;

// The text of an X11 selection (PRIMARY or CLIPBOARD), asked of its owner
// without waiting for the answer: it comes through the event loop on a
// connection of its own, so an owner that never answers holds up nothing.
// A long text arrives in pieces (INCR), as ICCCM describes.
class X11SelectionText final : public QObject
{
public:
    using Reply = std::function<void(const std::optional<QString> &text)>;

    // QClipboard::Selection is PRIMARY, QClipboard::Clipboard is CLIPBOARD.
    explicit X11SelectionText(QClipboard::Mode mode);
    ~X11SelectionText() override;

    // `reply` gets the text, or nothing when there is none: at most once,
    // before this returns when Qt holds the text itself (Orvane owns the
    // selection, or the desktop is not X11's). Reading again gives up the
    // reply still owed.
    void read(Reply reply);

private:
    bool connectToServer();
    void readEvents();
    void handle(const xcb_generic_event_t *event);
    void ask(xcb_atom_t target);
    void takeProperty();
    void finish(const std::optional<QString> &text);
    void dropRequest();

    QClipboard::Mode m_mode;
    xcb_connection_t *m_connection = nullptr;
    std::unique_ptr<QSocketNotifier> m_notifier;
    // The window the owner answers to: a new one for each request, so that
    // a late answer to an earlier one cannot be taken for this one's.
    xcb_window_t m_window = XCB_NONE;
    xcb_atom_t m_target = XCB_NONE;
    bool m_inPieces = false;
    QByteArray m_pieces;
    Reply m_reply;
};
