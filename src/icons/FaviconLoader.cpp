#include "icons/FaviconLoader.h"

#include "icons/FaviconCache.h"
#include "icons/FaviconDecoder.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPointer>
#include <QThreadPool>

namespace {
constexpr int timeoutMs = 4000;
} // namespace

FaviconLoader::FaviconLoader(QNetworkAccessManager &network, QObject *parent) : QObject(parent), m_network(network) {}

FaviconLoader::~FaviconLoader()
{
    if (m_reply) {
        // Disconnected first: aborting reports "finished" at once.
        m_reply->disconnect(this);
        m_reply->abort();
        m_reply->deleteLater();
    }
}

void FaviconLoader::load(const FaviconSources &sources, double pointSize)
{
    if (const auto cached = FaviconCache::shared().get(sources.cacheKey)) {
        Q_EMIT finished(cached);
        return;
    }
    m_sources = sources;
    m_pointSize = pointSize;
    tryCandidate(0);
}

void FaviconLoader::tryCandidate(qsizetype index)
{
    if (index >= m_sources.candidates.size()) {
        Q_EMIT finished(std::nullopt);
        return;
    }
    QNetworkRequest request(m_sources.candidates.at(index));
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Orvane/1.0 (Macintosh; Intel Mac OS X)"));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::PreferCache);
    request.setTransferTimeout(timeoutMs);
    QNetworkReply *reply = m_network.get(request);
    m_reply = reply;
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64 total) {
        if (received > FaviconDecoder::maximumBytes || total > FaviconDecoder::maximumBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, index] {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        if (reply->error() == QNetworkReply::NoError && status == 200)
            decodeAndAnalyze(reply->read(FaviconDecoder::maximumBytes + 1), index);
        else
            tryCandidate(index + 1);
    });
}

// Decoding an icon and reading every pixel of it are left to a worker thread:
// an icon may take long to decode, and the panel must not wait for it.
void FaviconLoader::decodeAndAnalyze(const QByteArray &body, qsizetype index)
{
    QPointer<FaviconLoader> self(this);
    const QString key = m_sources.cacheKey;
    const double pointSize = m_pointSize;
    QThreadPool::globalInstance()->start([self, body, key, pointSize, index] {
        std::optional<FaviconAnalysis> analysis;
        if (const auto image = FaviconDecoder::decode(body)) {
            analysis = FaviconAnalysis::analyze(*image, pointSize);
            FaviconCache::shared().set(key, *analysis);
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [self, analysis, index] {
                if (!self)
                    return;
                if (analysis)
                    Q_EMIT self->finished(analysis);
                else
                    self->tryCandidate(index + 1);
            },
            Qt::QueuedConnection);
    });
}
