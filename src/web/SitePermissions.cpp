#include "web/SitePermissions.h"

#include "platform/KeyValueStore.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString storeKey = QStringLiteral("Orvane_notificationSites");
const QString allowText = QStringLiteral("allow");
const QString blockText = QStringLiteral("block");

// Pages name their origin with a trailing slash, notifications without: one key for both.
QString originKey(const QUrl &origin)
{
    if (origin.scheme().isEmpty() || origin.host().isEmpty())
        return {};
    return origin.adjusted(QUrl::RemoveUserInfo | QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment).toString();
}

} // namespace

SitePermissions::SitePermissions(KeyValueStore &store, QObject *parent) : QObject(parent), m_store(store) {}

SitePermissions::Decision SitePermissions::decide(WebPage::Feature feature, std::optional<Answer> remembered)
{
    if (feature != WebPage::Feature::Notifications)
        return Decision::Refuse;
    if (!remembered)
        return Decision::Ask;
    return *remembered == Answer::Allow ? Decision::Grant : Decision::Refuse;
}

QString SitePermissions::siteName(const QUrl &origin)
{
    return origin.port() < 0 ? origin.host() : origin.host() + QLatin1Char(':') + QString::number(origin.port());
}

void SitePermissions::load()
{
    m_answers.clear();
    const QJsonObject stored = QJsonDocument::fromJson(m_store.dataValue(storeKey).value_or(QByteArray())).object();
    for (auto it = stored.begin(); it != stored.end(); ++it) {
        const QString key = originKey(QUrl(it.key()));
        const QString answer = it.value().toString();
        // Anything else (a site written by hand, an answer of another
        // version) is left out: that site is asked again.
        if (!key.isEmpty() && (answer == allowText || answer == blockText))
            m_answers[key] = answer == allowText ? Answer::Allow : Answer::Block;
    }
    Q_EMIT changed();
}

std::optional<SitePermissions::Answer> SitePermissions::answerFor(const QUrl &origin) const
{
    const auto it = m_answers.find(originKey(origin));
    return it == m_answers.end() ? std::nullopt : std::optional(it->second);
}

void SitePermissions::remember(const QUrl &origin, Answer answer)
{
    const QString key = originKey(origin);
    if (key.isEmpty())
        return;
    m_answers[key] = answer;
    save();
}

void SitePermissions::revoke(const QString &origin)
{
    if (m_answers.erase(originKey(QUrl(origin))) > 0)
        save();
}

QList<SitePermissions::Site> SitePermissions::sites() const
{
    QList<Site> result;
    for (const auto &[origin, answer] : m_answers)
        result.append({origin, answer});
    return result;
}

void SitePermissions::save()
{
    QJsonObject stored;
    for (const auto &[origin, answer] : m_answers)
        stored.insert(origin, answer == Answer::Allow ? allowText : blockText);
    m_store.setData(storeKey, QJsonDocument(stored).toJson(QJsonDocument::Indented));
    Q_EMIT changed();
}
