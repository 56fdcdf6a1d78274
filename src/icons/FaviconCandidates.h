#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

// Where a site's icon may be found, and what stands in for it meanwhile.
struct FaviconSources
{
    // Tried in order; the first that yields an image wins.
    QList<QUrl> candidates;
    // The cache entry the result is kept under.
    QString cacheKey;
    // The letter tile's letter.
    QString initial;
};

// The two public icon services, addressed by base (scheme and host) so that
// tests can serve them from 127.0.0.1.
struct FaviconServices
{
    QUrl pageIconService = QUrl(QStringLiteral("https://t0.gstatic.com"));
    QUrl domainIconService = QUrl(QStringLiteral("https://www.google.com"));
};

namespace FaviconCandidates {

FaviconSources sources(const QString &title, const QUrl &url, const QUrl &customIconURL,
                       const FaviconServices &services = {});

// The script run in a loaded page; it returns the page's best icon address,
// or the empty text.
QString discoveryScript();

} // namespace FaviconCandidates
