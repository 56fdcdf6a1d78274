#pragma once

#include "shelf/DropItem.h"

#include <QString>
#include <QUrl>
#include <QUuid>

// Text snippets of the shelf, as UTF-8 files under
// ~/.local/share/Orvane/DropShelf/Snippets.
namespace DropShelfStorage {

// The folder, created (with its parents) on every call; a failure is ignored.
QString snippetsDirectory();

// The file name a snippet gets from its heading: its letters and digits,
// words joined by "_", at most 20 characters and 244 bytes (so that the name
// with the id's characters and ".txt" added stays within 255 bytes);
// "Snippet_" and six characters of the id when the heading has none.
QString snippetBaseName(const QUuid &id, const QString &titleHint);

// Writes the text atomically and returns the file's address. Another
// snippet's file of the same name is never replaced: this one then gets the
// id's characters added to its name. A name the file system refuses gives way
// to the id's name. When nothing can be written, the first such failure of
// the run is reported on standard error, and the intended address returned.
QUrl saveTextSnippet(const QUuid &id, const QString &text, const QString &titleHint);

// Deletes the snippet files Orvane wrote for items that left the shelf, unless
// an item still on it shows the same file (two snippets of one text share
// it). Files of the user's own are never touched.
void removeOwnSnippets(const QList<DropItem> &gone, const QList<DropItem> &stillShown);

} // namespace DropShelfStorage
