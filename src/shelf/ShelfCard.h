#pragma once

#include "shelf/DropItem.h"

#include <QColor>

#include <memory>

class QMimeData;

// What one card of the shelf shows and offers for its record.
namespace ShelfCard {

struct Colors
{
    QColor icon;
    // Already at the tile's 12 % opacity.
    QColor tile;
};

enum class LinkAction { None, Open, Reveal };

Colors colors(DropItemKind kind);
// Web and mail links open in the browser (or the mail program), other records
// with a file are shown in the file manager; a record without a file, or a
// link of another scheme, offers neither.
LinkAction linkAction(const DropItem &item);
QString linkActionTooltip(LinkAction action);
// Only an image with a file on disk has a picture to show.
bool showsThumbnail(const DropItem &item);
// What Copy puts on the clipboard: the text when the record has text; else
// its file, as file managers paste files (and its path as text); else its title.
std::unique_ptr<QMimeData> copyPayload(const DropItem &item);

} // namespace ShelfCard
