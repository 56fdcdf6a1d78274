#include "web/TabListJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {
constexpr qint64 referenceEpochMs = 978307200000; // 2001-01-01T00:00:00Z in Unix milliseconds

// QJsonObject sorts its members, and the stored form keeps a fixed member
// order, so records are written member by member; Qt still does the escaping.
QByteArray jsonValue(const QJsonValue &value)
{
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

class ObjectWriter
{
public:
    void add(const char *key, const QJsonValue &value)
    {
        m_text += m_text.isEmpty() ? "{" : ",";
        m_text += '"';
        m_text += key;
        m_text += "\":";
        m_text += jsonValue(value);
    }
    QByteArray finish() const { return m_text + '}'; }

private:
    QByteArray m_text;
};

QString canonicalUuid(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper();
}

std::optional<QUrl> urlFromText(const QString &text)
{
    const QUrl url(text, QUrl::StrictMode);
    if (text.isEmpty() || !url.isValid())
        return std::nullopt;
    return url;
}

bool isAbsent(const QJsonValue &value)
{
    return value.isUndefined() || value.isNull();
}

std::optional<bool> optionalBool(const QJsonValue &value, bool &ok)
{
    if (isAbsent(value))
        return std::nullopt;
    ok = ok && value.isBool();
    return value.toBool();
}

std::optional<TabModel> decodeRecord(const QJsonValue &element, const QDateTime &now)
{
    if (!element.isObject())
        return std::nullopt;
    const QJsonObject object = element.toObject();
    const QJsonValue id = object.value(QLatin1String("id"));
    const QJsonValue title = object.value(QLatin1String("title"));
    const QJsonValue url = object.value(QLatin1String("url"));
    const QJsonValue iconKey = object.value(QLatin1String("iconKey"));
    if (!id.isString() || !title.isString() || !url.isString() || !iconKey.isString())
        return std::nullopt;

    TabModel tab;
    // Braces are not part of the stored form; QUuid would accept them.
    if (id.toString().startsWith(QLatin1Char('{')))
        return std::nullopt;
    tab.id = QUuid::fromString(id.toString());
    const auto parsedUrl = urlFromText(url.toString());
    if (tab.id.isNull() || !parsedUrl)
        return std::nullopt;
    tab.title = title.toString();
    tab.url = *parsedUrl;
    tab.iconKey = iconKey.toString();

    const QJsonValue iconURL = object.value(QLatin1String("iconURL"));
    if (!isAbsent(iconURL)) {
        tab.iconURL = iconURL.isString() ? urlFromText(iconURL.toString()) : std::nullopt;
        if (!tab.iconURL)
            return std::nullopt;
    }

    const QJsonValue mode = object.value(QLatin1String("userAgentMode"));
    if (!isAbsent(mode)) {
        const auto parsed = mode.isString() ? userAgentModeFromRaw(mode.toString()) : std::nullopt;
        if (!parsed)
            return std::nullopt;
        tab.userAgentMode = *parsed;
    }

    bool ok = true;
    tab.isAIProvider = optionalBool(object.value(QLatin1String("isAIProvider")), ok).value_or(false);
    tab.isHibernated = optionalBool(object.value(QLatin1String("isHibernated")), ok).value_or(false);
    if (!ok)
        return std::nullopt;

    const QJsonValue date = object.value(QLatin1String("lastActiveDate"));
    if (isAbsent(date)) {
        tab.lastActiveDate = now;
    } else if (date.isDouble() && std::isfinite(date.toDouble())) {
        tab.lastActiveDate = TabListJson::fromReferenceSeconds(date.toDouble());
    } else {
        return std::nullopt;
    }

    const QJsonValue css = object.value(QLatin1String("customCSS"));
    if (!isAbsent(css)) {
        if (!css.isString())
            return std::nullopt;
        tab.customCSS = css.toString();
    }
    return tab;
}
} // namespace

namespace TabListJson {

double referenceSeconds(const QDateTime &time)
{
    return double(time.toMSecsSinceEpoch() - referenceEpochMs) / 1000.0;
}

QDateTime fromReferenceSeconds(double seconds)
{
    return QDateTime::fromMSecsSinceEpoch(referenceEpochMs + qint64(std::llround(seconds * 1000.0)), Qt::UTC);
}

QByteArray encode(const QList<TabModel> &tabs)
{
    QByteArray text = "[";
    for (const TabModel &tab : tabs) {
        if (text.size() > 1)
            text += ',';
        ObjectWriter record;
        record.add("id", canonicalUuid(tab.id));
        record.add("title", tab.title);
        record.add("url", tab.url.toString(QUrl::FullyEncoded));
        record.add("iconKey", tab.iconKey);
        if (tab.iconURL)
            record.add("iconURL", tab.iconURL->toString(QUrl::FullyEncoded));
        record.add("userAgentMode", rawValue(tab.userAgentMode));
        record.add("isAIProvider", tab.isAIProvider);
        record.add("isHibernated", tab.isHibernated);
        record.add("lastActiveDate", referenceSeconds(tab.lastActiveDate));
        if (tab.customCSS)
            record.add("customCSS", *tab.customCSS);
        text += record.finish();
    }
    return text + ']';
}

std::optional<QList<TabModel>> decode(const QByteArray &data, const QDateTime &now)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !document.isArray())
        return std::nullopt;
    QList<TabModel> tabs;
    for (const QJsonValue &element : document.array()) {
        auto tab = decodeRecord(element, now);
        if (!tab)
            return std::nullopt;
        tabs.append(std::move(*tab));
    }
    return tabs;
}

} // namespace TabListJson
