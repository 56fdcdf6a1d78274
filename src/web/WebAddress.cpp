#include "web/WebAddress.h"

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
