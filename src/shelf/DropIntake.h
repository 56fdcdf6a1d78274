#pragma once

#include "shelf/DropItem.h"

#include <QList>

#include <optional>

class QMimeData;

// What a drop onto the shelf stages, in the order the drag offers it: file
// addresses as files (images among them as images), other addresses as links;
// without addresses, text that is not blank, or, when the text is the address
// of a text file, that file's content. Anything else (image data alone)
// stages nothing.
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

// Quick and without files: call it while handling the drop.
QList<Request> requestsFrom(const QMimeData &data);
// The record for one request; nothing for text that turns out blank. Reads
// and writes files, so it may run off the main thread.
std::optional<DropItem> load(const Request &request);
// Both at once.
QList<DropItem> itemsFrom(const QMimeData &data);

} // namespace DropIntake
