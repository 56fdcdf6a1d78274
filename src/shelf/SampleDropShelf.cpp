#include "shelf/SampleDropShelf.h"

#include "platform/KeyValueStore.h"
#include "shelf/DropShelfModel.h"

namespace {
const QString seededKey = QStringLiteral("Orvane_hasSeededSampleDropShelf");

// A sample card that points at no file.
DropItem placeholder(const QString &title, DropItemKind kind, const QString &size)
{
    DropItem item;
    item.id = QUuid::createUuid();
    item.title = title;
    item.kind = kind;
    item.createdAt = QDateTime::currentDateTimeUtc();
    item.fileSizeString = size;
    return item;
}
} // namespace

void seedSampleDropShelfIfNeeded(DropShelfModel &shelf, KeyValueStore &store)
{
    if (store.boolValue(seededKey).value_or(false) || !shelf.items().isEmpty())
        return;
    store.setBool(seededKey, true);
    shelf.setItems({
        placeholder(QStringLiteral("design_mockup.png"), DropItemKind::Image, QStringLiteral("2.4 MB")),
        placeholder(QStringLiteral("api_spec.json"), DropItemKind::File, QStringLiteral("18 KB")),
        DropItem::fromText(QStringLiteral("Keep it here. Carry it into your next thought. Orvane Drop Shelf holds "
                                          "your text paragraphs and files between apps.")),
    });
}
