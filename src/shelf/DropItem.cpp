#include "shelf/DropItem.h"

#include "shelf/ByteCount.h"
#include "shelf/DropShelfStorage.h"
#include "shelf/TextStats.h"
#include "state/CountText.h"

#include <QFileInfo>
#include <QMimeData>

namespace {
constexpr qsizetype titleLength = 45;

bool isImageExtension(const QString &suffix)
{
    static const QStringList images = {
        QStringLiteral("png"), QStringLiteral("jpg"), QStringLiteral("jpeg"), QStringLiteral("gif"),
        QStringLiteral("webp"), QStringLiteral("svg"), QStringLiteral("heic"),
    };
    return images.contains(suffix.toLower());
}

DropItem newItem(DropItemKind kind)
{
    DropItem item;
    item.id = QUuid::createUuid();
    item.kind = kind;
    // The wall clock, as the clock port's now() that the shelf's 24-hour
    // expiry compares it with; a factory is a plain function without ports.
    item.createdAt = QDateTime::currentDateTimeUtc();
    return item;
}

// The first line of the trimmed text, cut to the title's length; empty for blank text.
QString snippetHeading(const QString &text)
{
    return TextStats::leftCharacters(TextStats::firstLine(text.trimmed()), titleLength);
}

// A snippet's file name comes from its heading, so blank snippets get names of
// their own rather than all sharing one file.
QUrl writeSnippet(const QUuid &id, const QString &text)
{
    return DropShelfStorage::saveTextSnippet(id, text, snippetHeading(text));
}

bool canProvideFile(const QUrl &url)
{
    return url.isLocalFile() ? QFileInfo::exists(url.toLocalFile()) : url.isValid();
}

void addText(QMimeData &data, const QString &text)
{
    data.setText(text);
    data.setData(QStringLiteral("text/plain;charset=utf-8"), text.toUtf8());
}
} // namespace

QString rawValue(DropItemKind kind)
{
    switch (kind) {
    case DropItemKind::File: return QStringLiteral("File");
    case DropItemKind::Image: return QStringLiteral("Image");
    case DropItemKind::Url: return QStringLiteral("Link");
    case DropItemKind::Text: return QStringLiteral("Snippet");
    }
    Q_UNREACHABLE();
}

QString iconName(DropItemKind kind)
{
    switch (kind) {
    case DropItemKind::File: return QStringLiteral("doc.fill");
    case DropItemKind::Image: return QStringLiteral("photo.fill");
    case DropItemKind::Url: return QStringLiteral("link");
    case DropItemKind::Text: return QStringLiteral("text.quote");
    }
    Q_UNREACHABLE();
}

bool isShelfLink(const QUrl &url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    return scheme == QLatin1String("mailto") && !url.path().isEmpty();
}

DropItem DropItem::fromFileUrl(const QUrl &fileURL)
{
    const QFileInfo info(fileURL.toLocalFile());
    DropItem item = newItem(isImageExtension(info.suffix()) ? DropItemKind::Image : DropItemKind::File);
    if (info.exists())
        item.fileSizeString = ByteCount::format(info.size());
    item.title = info.fileName();
    item.fileURL = fileURL;
    return item;
}

DropItem DropItem::fromUrl(const QUrl &url)
{
    if (url.isLocalFile())
        return fromFileUrl(url);
    DropItem item = newItem(DropItemKind::Url);
    const QString absolute = url.toString();
    item.title = url.host().isEmpty() ? absolute : url.host();
    item.fileURL = url;
    item.textContent = absolute;
    item.fileSizeString = QStringLiteral("Web Link");
    return item;
}

DropItem DropItem::fromText(const QString &text)
{
    DropItem item = newItem(DropItemKind::Text);
    const QString heading = snippetHeading(text);
    item.title = heading.isEmpty() ? QStringLiteral("Text Snippet") : heading;
    item.fileSizeString = CountText::of(TextStats::wordCount(text), QStringLiteral("word"), QStringLiteral("words"))
                          + QStringLiteral(" \u2022 ")
                          + CountText::of(TextStats::characterCount(text), QStringLiteral("char"), QStringLiteral("chars"));
    item.fileURL = writeSnippet(item.id, text);
    item.textContent = text;
    return item;
}

QMimeData *DropItem::makeItemProvider() const
{
    auto *data = new QMimeData;
    if (fileURL && canProvideFile(*fileURL)) {
        data->setUrls({*fileURL});
        if (textContent)
            addText(*data, *textContent);
        return data;
    }
    if (!textContent) {
        data->setText(title);
        return data;
    }
    // The snippet file went missing: write it again so the text still drags out as a file.
    const QUrl snippet = writeSnippet(id, *textContent);
    if (canProvideFile(snippet))
        data->setUrls({snippet});
    addText(*data, *textContent);
    return data;
}
