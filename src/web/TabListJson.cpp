#include "web/TabListJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {
constexpr qint64 referenceEpochMs = 978307200000; // 2001-01-01T00:00:00Z in Unix milliseconds

// Dates are kept within the years 1 to 9999: a hand-edited 9.2e15 seconds
// would overflow the milliseconds on the way in or out and come back as a
// date in the distant past.
const qint64 earliestMs = QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC).toMSecsSinceEpoch();
const qint64 latestMs = QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC).toMSecsSinceEpoch();
const double earliestSeconds = double(earliestMs - referenceEpochMs) / 1000.0;
const double latestSeconds = double(latestMs - referenceEpochMs) / 1000.0;

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

    // A date outside the years 1 to 9999 tells nothing of when the tab was
    // used, so it is read as a missing one is.
    const QJsonValue date = object.value(QLatin1String("lastActiveDate"));
    if (!isAbsent(date) && !date.isDouble())
        return std::nullopt;
    const double seconds = date.toDouble();
    const bool usable = date.isDouble() && seconds >= earliestSeconds && seconds <= latestSeconds;
    tab.lastActiveDate = usable ? TabListJson::fromReferenceSeconds(seconds) : now;

    for (const auto &[key, percent] : {std::pair{"desktopZoom", &tab.desktopZoomPercent},
                                       std::pair{"mobileZoom", &tab.mobileZoomPercent}}) {
        const QJsonValue zoom = object.value(QLatin1String(key));
        if (isAbsent(zoom))
            continue;
        if (!zoom.isDouble())
            return std::nullopt;
        *percent = ZoomSteps::nearest(int(std::clamp(zoom.toDouble(), 0.0, 1000.0)));
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
    return double(std::clamp(time.toMSecsSinceEpoch(), earliestMs, latestMs) - referenceEpochMs) / 1000.0;
}

QDateTime fromReferenceSeconds(double seconds)
{
    const double bounded = std::isnan(seconds) ? 0.0 : std::clamp(seconds, earliestSeconds, latestSeconds);
    return QDateTime::fromMSecsSinceEpoch(referenceEpochMs + qint64(std::llround(bounded * 1000.0)), Qt::UTC);
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
        if (tab.desktopZoomPercent != ZoomSteps::normal)
            record.add("desktopZoom", tab.desktopZoomPercent);
        if (tab.mobileZoomPercent != ZoomSteps::normal)
            record.add("mobileZoom", tab.mobileZoomPercent);
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
    QSet<QUuid> ids;
    for (const QJsonValue &element : document.array()) {
        auto tab = decodeRecord(element, now);
        if (!tab)
            return std::nullopt;
        // Every operation finds a tab by its id, so a second tab with the same
        // id could never be selected, moved or closed; it keeps its data
        // under an id of its own.
        if (ids.contains(tab->id))
            tab->id = QUuid::createUuid();
        ids.insert(tab->id);
        tabs.append(std::move(*tab));
    }
    return tabs;
}

} // namespace TabListJson
