#include "shelf/ShelfCard.h"

#include <QMimeData>

namespace {
QColor tile(int red, int green, int blue)
{
    return QColor(red, green, blue, qRound(0.12 * 255));
}
} // namespace

namespace ShelfCard {

Colors colors(DropItemKind kind)
{
    switch (kind) {
    case DropItemKind::File: return {QColor(187, 163, 243), tile(158, 134, 237)};
    case DropItemKind::Image: return {QColor(255, 179, 107), tile(255, 159, 67)};
    case DropItemKind::Url: return {QColor(114, 180, 255), tile(84, 160, 255)};
    case DropItemKind::Text: return {QColor(46, 224, 178), tile(29, 209, 161)};
    }
    Q_UNREACHABLE();
}

LinkAction linkAction(const DropItem &item)
{
    if (!item.fileURL)
        return LinkAction::None;
    if (item.kind != DropItemKind::Url)
        return LinkAction::Reveal;
    // Links of other schemes come only from shelves saved before the intake
    // checked them: the card stays, but offers no way to open them.
    return isShelfLink(*item.fileURL) ? LinkAction::Open : LinkAction::None;
}

QString linkActionTooltip(LinkAction action)
{
    switch (action) {
    case LinkAction::Open: return QStringLiteral("Open link in browser");
    case LinkAction::Reveal: return QStringLiteral("Show in file manager");
    case LinkAction::None: break;
    }
    return {};
}

bool showsThumbnail(const DropItem &item)
{
    return item.kind == DropItemKind::Image && item.fileURL && item.fileURL->isLocalFile();
}

std::unique_ptr<QMimeData> copyPayload(const DropItem &item)
{
    auto data = std::make_unique<QMimeData>();
    if (item.textContent) {
        data->setText(*item.textContent);
    } else if (item.fileURL) {
        data->setUrls({*item.fileURL});
        // GNOME's file managers paste files from this form.
        data->setData(QStringLiteral("x-special/gnome-copied-files"),
                      "copy\n" + item.fileURL->toEncoded());
        data->setText(item.fileURL->isLocalFile() ? item.fileURL->toLocalFile() : item.fileURL->toString());
    } else {
        data->setText(item.title);
    }
    return data;
}

} // namespace ShelfCard
