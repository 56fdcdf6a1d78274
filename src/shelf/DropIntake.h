#pragma once

#include "platform/DragPayload.h"
#include "shelf/DropItem.h"

#include <QList>

#include <optional>

class QMimeData;

// The one way onto the shelf, for drops anywhere and for URL commands. What a
// drop stages, in the order the drag offers it: file addresses as files
// (images among them as images), web and mail addresses as links, any other
// address as its text; without addresses, text that is not blank, or, when
// the text is the address of a text file, that file's content. Anything else
// (image data alone, blank text) stages nothing, and the drop is refused.
namespace DropIntake {

// One thing a drop carries, read from the drag's data, which lives only as
// long as the drop event; making its record reads and writes files.
struct Request
{
    enum class Kind { File, Link, Text };

    Kind kind = Kind::Text;
    QUrl url;
    QString text;

    bool operator==(const Request &) const = default;
};

// A text file's content is taken as a snippet up to this size; a larger or
// binary file is staged as the file itself.
inline constexpr qint64 maxSnippetFileBytes = 1 << 20;

// What Qt's drag data offers the shelf: its addresses and its text.
DragPayload payloadOf(const QMimeData &data);

// Quick and without files: call them while handling the drop. Each request
// makes exactly one record, so no requests means nothing to stage.
QList<Request> requestsFrom(const DragPayload &payload);
QList<Request> requestsFrom(const QMimeData &data);
// Text as it was dropped; nothing when it is blank.
std::optional<Request> textRequest(const QString &text);
// An address given as a link: a link when it reads as an address, else text
// (nothing when blank). Only web and mail addresses become links when loaded.
std::optional<Request> linkRequest(const QString &address);

// The records, in the requests' order. Reads and writes files, so it may run
// off the main thread.
QList<DropItem> load(const QList<Request> &requests);

} // namespace DropIntake
