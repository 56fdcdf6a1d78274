#include "shelf/DropIntake.h"

#include <QFile>
#include <QFileInfo>
#include <QMimeData>

namespace {

using Request = DropIntake::Request;

// Text that is nothing but one file:// address.
std::optional<QUrl> fileAddressIn(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (!trimmed.startsWith(QLatin1String("file:"), Qt::CaseInsensitive) || trimmed.contains(QLatin1Char('\n')))
        return std::nullopt;
    const QUrl url(trimmed, QUrl::StrictMode);
    return url.isValid() && url.isLocalFile() ? std::optional(url) : std::nullopt;
}

bool hasScheme(const QUrl &url)
{
    return url.isValid() && !url.scheme().isEmpty();
}

// A dropped file address: the file's text when it is a small text file; the
// file itself when it is large, binary, holds no text or is a folder; the
// address as text when there is nothing to read there.
DropItem loadAddressedFile(const QUrl &url, const QString &droppedText)
{
    const QFileInfo info(url.toLocalFile());
    if (!info.exists())
        return DropItem::fromText(droppedText);
    if (!info.isFile() || info.size() > DropIntake::maxSnippetFileBytes)
        return DropItem::fromFileUrl(url);
    QFile file(info.filePath());
    if (!file.open(QIODevice::ReadOnly))
        return DropItem::fromText(droppedText);
    const QByteArray content = file.read(DropIntake::maxSnippetFileBytes + 1);
    if (content.size() > DropIntake::maxSnippetFileBytes || content.contains('\0') || content.trimmed().isEmpty())
        return DropItem::fromFileUrl(url);
    return DropItem::fromText(QString::fromUtf8(content));
}

DropItem loadOne(const Request &request)
{
    switch (request.kind) {
    case Request::Kind::File:
        return DropItem::fromFileUrl(request.url);
    case Request::Kind::Link:
        // Any web page can fire a URL command, and a card opens its link on
        // the desktop: no other scheme is ever kept as a link.
        return isShelfLink(request.url) ? DropItem::fromUrl(request.url) : DropItem::fromText(request.url.toString());
    case Request::Kind::Text:
        if (const auto address = fileAddressIn(request.text))
            return loadAddressedFile(*address, request.text);
        return DropItem::fromText(request.text);
    }
    Q_UNREACHABLE();
}

} // namespace

namespace DropIntake {

DragPayload payloadOf(const QMimeData &data)
{
    DragPayload payload;
    if (data.hasUrls())
        payload.urls = data.urls();
    // QMimeData::text() reads "text/plain;charset=utf-8" before "text/plain".
    if (data.hasText() || data.hasFormat(QStringLiteral("text/plain;charset=utf-8")))
        payload.texts.append(data.text());
    return payload;
}

QList<Request> requestsFrom(const DragPayload &payload)
{
    QList<Request> requests;
    for (const QUrl &url : payload.urls) {
        if (url.isLocalFile())
            requests.append({Request::Kind::File, url, {}});
        else if (hasScheme(url))
            requests.append({Request::Kind::Link, url, {}});
    }
    if (!requests.isEmpty())
        return requests;
    for (const QString &text : payload.texts) {
        if (auto request = textRequest(text))
            requests.append(std::move(*request));
    }
    return requests;
}

QList<Request> requestsFrom(const QMimeData &data)
{
    return requestsFrom(payloadOf(data));
}

std::optional<Request> textRequest(const QString &text)
{
    if (text.trimmed().isEmpty())
        return std::nullopt;
    return Request{Request::Kind::Text, {}, text};
}

std::optional<Request> linkRequest(const QString &address)
{
    const QUrl url(address.trimmed(), QUrl::StrictMode);
    if (hasScheme(url))
        return Request{Request::Kind::Link, url, {}};
    return textRequest(address);
}

QList<DropItem> load(const QList<Request> &requests)
{
    QList<DropItem> items;
    items.reserve(requests.size());
    for (const Request &request : requests)
        items.append(loadOne(request));
    return items;
}

} // namespace DropIntake
