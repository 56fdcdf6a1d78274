#include "shelf/DropShelfFile.h"

#include "web/TabListJson.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>

#include <cmath>

namespace {

std::optional<DropItemKind> kindFromRaw(const QString &raw)
{
    for (DropItemKind kind : allDropItemKinds) {
        if (rawValue(kind) == raw)
            return kind;
    }
    return std::nullopt;
}

QJsonObject encodeRecord(const DropItem &item)
{
    QJsonObject object{
        {QStringLiteral("id"), item.id.toString(QUuid::WithoutBraces).toUpper()},
        {QStringLiteral("title"), item.title},
        {QStringLiteral("kind"), rawValue(item.kind)},
        {QStringLiteral("createdAt"), TabListJson::referenceSeconds(item.createdAt)},
    };
    if (item.fileURL)
        object.insert(QStringLiteral("fileURL"), item.fileURL->toString(QUrl::FullyEncoded));
    if (item.textContent)
        object.insert(QStringLiteral("textContent"), *item.textContent);
    if (item.fileSizeString)
        object.insert(QStringLiteral("fileSizeString"), *item.fileSizeString);
    return object;
}

std::optional<QString> optionalString(const QJsonObject &object, const QString &key, bool &ok)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return std::nullopt;
    ok = ok && value.isString();
    return value.toString();
}

std::optional<DropItem> decodeRecord(const QJsonValue &element)
{
    const QJsonObject object = element.toObject();
    const QJsonValue id = object.value(QLatin1String("id"));
    const QJsonValue title = object.value(QLatin1String("title"));
    const QJsonValue created = object.value(QLatin1String("createdAt"));
    const auto kind = kindFromRaw(object.value(QLatin1String("kind")).toString());
    // Some three thousand years either way: beyond that a date is damage.
    constexpr double farthestSeconds = 1e11;
    if (!element.isObject() || !id.isString() || !title.isString() || !created.isDouble()
        || std::abs(created.toDouble()) > farthestSeconds || !kind)
        return std::nullopt;

    DropItem item;
    item.id = QUuid::fromString(id.toString());
    item.title = title.toString();
    item.kind = *kind;
    item.createdAt = TabListJson::fromReferenceSeconds(created.toDouble());
    bool ok = !item.id.isNull() && item.createdAt.isValid();
    if (const auto url = optionalString(object, QStringLiteral("fileURL"), ok)) {
        const QUrl parsed(*url, QUrl::StrictMode);
        ok = ok && parsed.isValid() && !parsed.isEmpty();
        item.fileURL = parsed;
    }
    item.textContent = optionalString(object, QStringLiteral("textContent"), ok);
    item.fileSizeString = optionalString(object, QStringLiteral("fileSizeString"), ok);
    return ok ? std::optional(item) : std::nullopt;
}

} // namespace

DropShelfFile::DropShelfFile(QString path) : m_path(std::move(path)) {}

QString DropShelfFile::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Orvane/DropShelf/shelf.json");
}

QByteArray DropShelfFile::encode(const QList<DropItem> &items)
{
    QJsonArray records;
    for (const DropItem &item : items)
        records.append(encodeRecord(item));
    return QJsonDocument(records).toJson(QJsonDocument::Indented);
}

DropShelfFile::Decoded DropShelfFile::decode(const QByteArray &data)
{
    const QJsonDocument document = QJsonDocument::fromJson(data);
    if (!document.isArray())
        return {{}, false};
    Decoded decoded;
    const QJsonArray records = document.array();
    for (const QJsonValue &record : records) {
        if (auto item = decodeRecord(record))
            decoded.items.append(std::move(*item));
        else
            decoded.complete = false;
    }
    return decoded;
}

QList<DropItem> DropShelfFile::load()
{
    QFile file(m_path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly)) {
        setAside();
        return {};
    }
    const Decoded decoded = decode(file.readAll());
    file.close();
    if (!decoded.complete)
        setAside();
    return decoded.items;
}

// Renaming needs no reading, so even a file we may not read keeps every byte.
void DropShelfFile::setAside()
{
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString target = m_path + QStringLiteral(".unreadable-") + stamp;
    if (QFile::rename(m_path, target))
        m_setAsidePath = target;
    else
        m_mustNotWrite = true;
}

bool DropShelfFile::save(const QList<DropItem> &items)
{
    if (m_mustNotWrite)
        return false;
    QDir().mkpath(QFileInfo(m_path).path());
    QSaveFile file(m_path);
    return file.open(QIODevice::WriteOnly) && file.write(encode(items)) >= 0 && file.commit();
}
