#include "web/WebAddress.h"

#include <QHostAddress>

std::optional<QUrl> webAddress(const QString &text)
{
    // As a browser does: tabs and line breaks anywhere are dropped, and
    // control characters and spaces at either end.
    QString cleaned = text;
    cleaned.remove(QLatin1Char('\t')).remove(QLatin1Char('\n')).remove(QLatin1Char('\r'));
    qsizetype start = 0;
    qsizetype end = cleaned.size();
    while (start < end && cleaned.at(start).unicode() <= 0x20)
        ++start;
    while (end > start && cleaned.at(end - 1).unicode() <= 0x20)
        --end;

    const QUrl url(cleaned.sliced(start, end - start), QUrl::TolerantMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return std::nullopt;
    return url;
}

std::optional<QUrl> typedWebAddress(const QString &text)
{
    const QString typed = text.trimmed();
    if (typed.startsWith(QLatin1String("http:"), Qt::CaseInsensitive)
        || typed.startsWith(QLatin1String("https:"), Qt::CaseInsensitive)) {
        return webAddress(typed);
    }
    auto url = webAddress(QStringLiteral("http://") + typed);
    if (!url)
        return std::nullopt;
    const QString host = url->host();
    const bool local = host == QLatin1String("localhost") || !QHostAddress(host).isNull();
    const bool hasPort = url->port() != -1 && url->port() != 443;
    if (local || hasPort)
        return url;
    if (!host.contains(QLatin1Char('.')))
        return std::nullopt;
    url->setScheme(QStringLiteral("https"));
    return url;
}
