#include "math/CurrencyEngine.h"

#include "math/MathText.h"
#include "math/NumberFormat.h"
#include "platform/KeyValueStore.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

const QString rateKeyPrefix = QStringLiteral("Orvane_rate_");
const QString currencySigns = QStringLiteral("$\u20AC\u00A3\u20B9\u00A5");
// A rate table is a few kilobytes; anything far larger is not one.
constexpr qint64 maximumReplyBytes = 1 << 20;

struct BuiltInRate
{
    const char *code;
    double rate;
    const char16_t *prefix;
};

constexpr BuiltInRate builtInRates[] = {
    {"USD", 1.0, u"$"},     {"EUR", 0.92, u"\u20AC"}, {"GBP", 0.77, u"\u00A3"}, {"INR", 83.5, u"\u20B9"},
    {"JPY", 155.0, u"\u00A5"}, {"CAD", 1.37, u"CA$"},    {"AUD", 1.52, u"AU$"},    {"CHF", 0.91, u"CHF "},
    {"CNY", 7.25, u"\u00A5"}, {"SGD", 1.35, u"SG$"},    {"NZD", 1.65, u"NZ$"},    {"AED", 3.67, u"AED "},
};

// A stored or downloaded rate this far from the built-in one is a broken
// value, not a market move: 1e-320 euros to the dollar would answer "$∞".
constexpr double plausibleRateFactor = 1000;

bool isPlausibleRate(const QString &code, double rate)
{
    for (const BuiltInRate &entry : builtInRates) {
        if (code == QLatin1String(entry.code))
            return std::isfinite(rate) && rate >= entry.rate / plausibleRateFactor && rate <= entry.rate * plausibleRateFactor;
    }
    return false;
}

const QHash<QString, QString> &symbolToCode()
{
    static const QHash<QString, QString> table = {
        {QStringLiteral("$"), QStringLiteral("USD")},      {QStringLiteral("\u20AC"), QStringLiteral("EUR")},
        {QStringLiteral("\u00A3"), QStringLiteral("GBP")}, {QStringLiteral("\u20B9"), QStringLiteral("INR")},
        {QStringLiteral("\u00A5"), QStringLiteral("JPY")}, {QStringLiteral("c$"), QStringLiteral("CAD")},
        {QStringLiteral("a$"), QStringLiteral("AUD")},     {QStringLiteral("fr"), QStringLiteral("CHF")},
        {QStringLiteral("s$"), QStringLiteral("SGD")},
    };
    return table;
}

struct WordAlias
{
    QStringList words;
    const char *code;
};

const QList<WordAlias> &wordAliases()
{
    static const QList<WordAlias> aliases = {
        {{QStringLiteral("dollar"), QStringLiteral("dollars"), QStringLiteral("bucks"), QStringLiteral("buck")}, "USD"},
        {{QStringLiteral("euro"), QStringLiteral("euros")}, "EUR"},
        {{QStringLiteral("pound"), QStringLiteral("pounds"), QStringLiteral("quid")}, "GBP"},
        {{QStringLiteral("rupee"), QStringLiteral("rupees")}, "INR"},
        {{QStringLiteral("yen")}, "JPY"},
        {{QStringLiteral("canadian dollar"), QStringLiteral("cad")}, "CAD"},
        {{QStringLiteral("aussie"), QStringLiteral("aud")}, "AUD"},
        {{QStringLiteral("franc"), QStringLiteral("francs"), QStringLiteral("chf")}, "CHF"},
        {{QStringLiteral("yuan"), QStringLiteral("rmb")}, "CNY"},
    };
    return aliases;
}

} // namespace

QUrl CurrencyEngine::defaultServiceAddress()
{
    return QUrl(QStringLiteral("https://open.er-api.com"));
}

CurrencyEngine::CurrencyEngine(KeyValueStore &store, QObject *parent) : QObject(parent), m_store(store)
{
    for (const BuiltInRate &entry : builtInRates)
        m_ratesToUSD.insert(QString::fromLatin1(entry.code), entry.rate);
    loadCachedRates();
}

void CurrencyEngine::loadCachedRates()
{
    for (auto it = m_ratesToUSD.begin(); it != m_ratesToUSD.end(); ++it) {
        const auto stored = m_store.doubleValue(rateKeyPrefix + it.key());
        if (stored && isPlausibleRate(it.key(), *stored))
            it.value() = *stored;
    }
}

std::optional<QString> CurrencyEngine::resolveCurrencyCode(const QString &text) const
{
    const QString upper = text.trimmed().toUpper();
    if (m_ratesToUSD.contains(upper))
        return upper;
    const QString lower = text.trimmed().toLower();
    const auto symbol = symbolToCode().constFind(lower);
    if (symbol != symbolToCode().cend())
        return *symbol;
    const QString word = text.toLower();
    for (const WordAlias &alias : wordAliases()) {
        if (alias.words.contains(word))
            return QString::fromLatin1(alias.code);
    }
    return std::nullopt;
}

std::optional<double> CurrencyEngine::convert(double amount, const QString &from, const QString &to) const
{
    const auto fromRate = m_ratesToUSD.constFind(from);
    const auto toRate = m_ratesToUSD.constFind(to);
    if (fromRate == m_ratesToUSD.cend() || toRate == m_ratesToUSD.cend() || !(*fromRate > 0))
        return std::nullopt;
    return amount / *fromRate * *toRate;
}

QString CurrencyEngine::formatCurrency(double amount, const QString &code) const
{
    QString prefix = code + QLatin1Char(' ');
    for (const BuiltInRate &entry : builtInRates) {
        if (code == QLatin1String(entry.code))
            prefix = QString::fromUtf16(entry.prefix);
    }
    return prefix + NumberFormat::grouped(amount, code == QLatin1String("JPY") ? 0 : 2);
}

std::optional<CurrencyConversion> CurrencyEngine::parseConversion(const QString &line) const
{
    // The phrase pattern
    //   ^([$€£₹¥]?)\s*([0-9]+(?:\.[0-9]+)?)\s*([a-zA-Z]{0,4})\s*(?:in|to|into|=|->)\s*([$€£₹¥a-zA-Z]{1,10})$
    // written so that it matches the same texts with the same groups in time
    // linear in the line: with an empty source word, its two white-space runs
    // meet, and the engine would try every split of a long run of spaces.
    // Each run here is possessive, since the character after it can never be
    // white space, and the source word is an optional group instead.
    static const QRegularExpression pattern(
        QStringLiteral("^([\\$\u20AC\u00A3\u20B9\u00A5]?)\\s*+([0-9]+(?:\\.[0-9]+)?)(?:\\s*+([a-zA-Z]{1,4}))?\\s*+"
                       "(?:in|to|into|=|->)\\s*+([\\$\u20AC\u00A3\u20B9\u00A5a-zA-Z]{1,10})$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);

    const QString text = MathText::trimSpacesAndTabsAndTrailingEquals(line);
    // Most lines of a note are no phrase at all. A phrase starts with an
    // amount or a currency sign and has a connector, which is cheaper to see
    // than to match.
    // The pattern lets other white space (a no-break space) come before it.
    const auto first = std::find_if_not(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); });
    const bool mayBePhrase = first != text.cend() && (first->isDigit() || currencySigns.contains(*first))
        && (text.contains(QLatin1Char('=')) || text.contains(QLatin1String("->"))
            || text.contains(QLatin1String("in"), Qt::CaseInsensitive)
            || text.contains(QLatin1String("to"), Qt::CaseInsensitive));
    if (!mayBePhrase)
        return std::nullopt;
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    bool ok = false;
    const double amount = match.captured(2).toDouble(&ok);
    if (!ok)
        return std::nullopt;

    std::optional<QString> from;
    if (!match.captured(3).isEmpty())
        from = resolveCurrencyCode(match.captured(3));
    if (!from && !match.captured(1).isEmpty())
        from = resolveCurrencyCode(match.captured(1));
    const auto to = resolveCurrencyCode(match.captured(4));
    if (!to)
        return std::nullopt;
    return CurrencyConversion{amount, from.value_or(QStringLiteral("USD")), *to};
}

void CurrencyEngine::refreshRatesAsync(const QUrl &serviceAddress, QNetworkAccessManager &network)
{
    QUrl address = serviceAddress;
    address.setPath(QStringLiteral("/v6/latest/USD"));
    if (!address.isValid()) {
        Q_EMIT refreshFinished(false);
        return;
    }
    QNetworkRequest request(address);
    request.setTransferTimeout(30000);
    QNetworkReply *reply = network.get(request);
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
        if (received > maximumReplyBytes || total > maximumReplyBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply] {
        reply->deleteLater();
        // Transport failures end the refresh quietly; the status code is not
        // examined, the body decides.
        const bool usable = reply->error() == QNetworkReply::NoError;
        Q_EMIT refreshFinished(usable && storeRates(reply->read(maximumReplyBytes + 1)));
    });
}

bool CurrencyEngine::storeRates(const QByteArray &body)
{
    if (body.size() > maximumReplyBytes)
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(body);
    const QJsonValue rates = document.object().value(QLatin1String("rates"));
    if (!rates.isObject())
        return false;
    const QJsonObject table = rates.toObject();
    QHash<QString, double> fresh;
    for (auto it = table.begin(); it != table.end(); ++it) {
        if (!it.value().isDouble())
            return false;
        if (!m_ratesToUSD.contains(it.key()))
            continue;
        const double rate = it.value().toDouble();
        // A rate no currency could have would break the conversions of the
        // next run; such a reply is not trusted at all.
        if (!isPlausibleRate(it.key(), rate))
            return false;
        fresh.insert(it.key(), rate);
    }
    for (auto it = fresh.cbegin(); it != fresh.cend(); ++it)
        m_store.setDouble(rateKeyPrefix + it.key(), it.value());
    return !fresh.isEmpty();
}
