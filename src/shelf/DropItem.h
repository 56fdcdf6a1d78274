#pragma once

#include <QDateTime>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <array>
#include <optional>

class QMimeData;

enum class DropItemKind { File, Image, Url, Text };

inline constexpr std::array allDropItemKinds = {DropItemKind::File, DropItemKind::Image, DropItemKind::Url,
                                                DropItemKind::Text};

// "File", "Image", "Link", "Snippet": the stored form and the card's label.
QString rawValue(DropItemKind kind);
// The symbol drawn for the kind.
QString iconName(DropItemKind kind);
// The addresses the shelf keeps and opens as links: web pages (http and https,
// with a host) and mail (mailto). Any web page can fire an orvane:// URL, so
// no other scheme is ever handed to the desktop from the shelf.
bool isShelfLink(const QUrl &url);

// One thing staged on the shelf. Records never change after creation.
struct DropItem
{
    QUuid id;
    QString title;
    DropItemKind kind = DropItemKind::File;
    // The file for files and images, the address for links, the snippet file for text.
    std::optional<QUrl> fileURL;
    // The full text of a snippet, the address text of a link.
    std::optional<QString> textContent;
    QDateTime createdAt;
    // The size for files and images, "Web Link" for links, word and character counts for text.
    std::optional<QString> fileSizeString;

    bool operator==(const DropItem &) const = default;

    static DropItem fromFileUrl(const QUrl &fileURL);
    // File addresses are handed to fromFileUrl().
    static DropItem fromUrl(const QUrl &url);
    // Writes the snippet file as a side effect.
    static DropItem fromText(const QString &text);

    // What a drag out of the shelf carries: the file (text/uri-list) and, when
    // the record has text, the text as plain UTF-8. The caller owns the result.
    QMimeData *makeItemProvider() const;
};
