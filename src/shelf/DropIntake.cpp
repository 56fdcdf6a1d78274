#include "shelf/DropIntake.h"

#include <QMimeData>

namespace DropIntake {

QList<DropItem> itemsFrom(const QMimeData &data)
{
    QList<DropItem> items;
    if (data.hasUrls()) {
        const QList<QUrl> urls = data.urls();
        for (const QUrl &url : urls) {
            if (url.isLocalFile())
                items.append(DropItem::fromFileUrl(url));
            else if (url.isValid() && !url.scheme().isEmpty())
                items.append(DropItem::fromUrl(url));
        }
        if (!items.isEmpty())
            return items;
    }
    if (data.hasText() && !data.text().trimmed().isEmpty())
        items.append(DropItem::fromText(data.text()));
    return items;
}

} // namespace DropIntake
