#include "icons/FaviconCandidates.h"

namespace {
void appendIfValid(QList<QUrl> &list, const QUrl &url)
{
    if (url.isValid() && !url.isRelative())
        list.append(url);
}

QUrl withPathAndQuery(const QUrl &base, const QString &path, const QString &encodedQuery)
{
    QUrl url = base;
    url.setPath(path);
    url.setQuery(encodedQuery, QUrl::StrictMode);
    return url;
}

// The first user-perceived character, upper-cased.
QString firstLetter(const QString &text)
{
    if (text.isEmpty())
        return {};
    const qsizetype length = text.at(0).isHighSurrogate() && text.size() > 1 ? 2 : 1;
    return text.left(length).toUpper();
}
} // namespace

namespace FaviconCandidates {

FaviconSources sources(const QString &title, const QUrl &url, const QUrl &customIconURL, const FaviconServices &services)
{
    FaviconSources result;
    if (!customIconURL.isEmpty())
        appendIfValid(result.candidates, customIconURL);
    const QString host = url.host();
    if (!host.isEmpty()) {
        QUrl touchIcon;
        touchIcon.setScheme(QStringLiteral("https"));
        touchIcon.setHost(host);
        touchIcon.setPath(QStringLiteral("/apple-touch-icon.png"));
        appendIfValid(result.candidates, touchIcon);
        // Percent-encoded the way a query allows, so most of the address stays readable.
        const QString page = QString::fromLatin1(QUrl::toPercentEncoding(url.toString(QUrl::FullyEncoded), "!$&'()*+,-./:;=?@_~"));
        appendIfValid(result.candidates,
                      withPathAndQuery(services.pageIconService, QStringLiteral("/faviconV2"),
                                       QStringLiteral("client=SOCIAL&type=FAVICON&fallback_opts=TYPE,SIZE,URL&url=")
                                           + page + QStringLiteral("&size=128")));
        appendIfValid(result.candidates,
                      withPathAndQuery(services.domainIconService, QStringLiteral("/s2/favicons"),
                                       QStringLiteral("domain=") + host + QStringLiteral("&sz=128")));
    }

    if (!customIconURL.isEmpty())
        result.cacheKey = customIconURL.toString(QUrl::FullyEncoded);
    else if (!host.isEmpty())
        result.cacheKey = host;
    else if (!url.isEmpty())
        result.cacheKey = url.toString(QUrl::FullyEncoded);
    else
        result.cacheKey = title;

    result.initial = firstLetter(title);
    if (result.initial.isEmpty())
        result.initial = firstLetter(host);
    if (result.initial.isEmpty())
        result.initial = QStringLiteral("W");
    return result;
}

QString discoveryScript()
{
    return QStringLiteral(R"JS((function () {
  var links = Array.prototype.slice.call(document.getElementsByTagName('link'));
  for (var i = 0; i < links.length; i++) {
    var rel = links[i].getAttribute('rel');
    if ((rel === 'apple-touch-icon' || rel === 'apple-touch-icon-precomposed') && links[i].href)
      return links[i].href;
  }
  var best = null, bestSize = 0;
  for (var j = 0; j < links.length; j++) {
    var link = links[j], relation = link.getAttribute('rel') || '';
    if (relation.indexOf('icon') < 0) continue;
    var sizes = link.getAttribute('sizes');
    if (sizes !== null) {
      var size = parseInt(sizes.split('x')[0], 10);
      if (isNaN(size)) size = 0;
      if (size > bestSize) { bestSize = size; best = link.href; }
    } else if (best === null) {
      best = link.href;
    }
  }
  return best || '';
})())JS");
}

} // namespace FaviconCandidates
