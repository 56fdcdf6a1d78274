#include "shelf/DropIntake.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeData>

namespace {

// Text that is nothing but one file:// address.
std::optional<QUrl> fileAddressIn(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) || trimmed.contains(QLatin1Char('\n')))
        return std::nullopt;
    const QUrl url(trimmed, QUrl::StrictMode);
    return url.isValid() && url.isLocalFile() ? std::optional(url) : std::nullopt;
}

std::optional<DropItem> snippetOf(const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return DropItem::fromText(text);
}

// A dropped file address: the file's text when it is a small text file; the
// file itself when it is large, binary or a folder; the address as text when
// there is nothing to read there.
std::optional<DropItem> loadAddressedFile(const QUrl &url, const QString &droppedText)
{
    const QFileInfo info(url.toLocalFile());
    if (!info.exists())
        return snippetOf(droppedText);
    if (!info.isFile() || info.size() > DropIntake::maxSnippetFileBytes)
        return DropItem::fromFileUrl(url);
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return snippetOf(droppedText);
    const QByteArray content = file.read(DropIntake::maxSnippetFileBytes + 1);
    if (content.size() > DropIntake::maxSnippetFileBytes || content.contains('\0'))
        return DropItem::fromFileUrl(url);
    return snippetOf(QString::fromUtf8(content));
}

} // namespace

namespace DropIntake {

QList<Request> requestsFrom(const QMimeData &data)
{
    QList<Request> requests;
    if (data.hasUrls()) {
        const QList<QUrl> urls = data.urls();
        for (const QUrl &url : urls) {
            if (url.isLocalFile())
                requests.append({Request::Kind::File, url, {}});
            else if (url.isValid() && !url.scheme().isEmpty())
                requests.append({Request::Kind::Link, url, {}});
        }
        if (!requests.isEmpty())
            return requests;
    }
    // QMimeData::text() reads "text/plain;charset=utf-8" before "text/plain".
    const bool hasText = data.hasText() || data.hasFormat(QStringLiteral("text/plain;charset=utf-8"));
    if (hasText && !data.text().trimmed().isEmpty())
        requests.append({Request::Kind::Text, {}, data.text()});
    return requests;
}

std::optional<DropItem> load(const Request &request)
{
    switch (request.kind) {
    case Request::Kind::File:
        return DropItem::fromFileUrl(request.url);
    case Request::Kind::Link:
        return DropItem::fromUrl(request.url);
    case Request::Kind::Text:
        if (const auto address = fileAddressIn(request.text))
            return loadAddressedFile(*address, request.text);
        return snippetOf(request.text);
    }
    return std::nullopt;
}

QList<DropItem> itemsFrom(const QMimeData &data)
{
    QList<DropItem> items;
    for (const Request &request : requestsFrom(data)) {
        if (auto item = load(request))
            items.append(std::move(*item));
    }
    return items;
}

} // namespace DropIntake
