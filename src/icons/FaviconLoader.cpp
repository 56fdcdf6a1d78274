#include "icons/FaviconLoader.h"

#include "icons/FaviconCache.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImageReader>
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

std::optional<QImage> FaviconLoader::decode(const QByteArray &body)
{
    if (body.size() > maximumBytes)
        return std::nullopt;
    QBuffer buffer;
    buffer.setData(body);
    QImageReader reader(&buffer);
    // The size is read from the header, before any pixel is decoded.
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > maximumSide || size.height() > maximumSide)
        return std::nullopt;
    const QImage image = reader.read();
    if (image.isNull() || image.width() < 1 || image.height() < 1)
        return std::nullopt;
    return image;
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
        if (received > maximumBytes || total > maximumBytes)
            reply->abort();
    });
    connect(reply, &QNetworkReply::finished, this, [this, reply, index] {
        reply->deleteLater();
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        const auto image = reply->error() == QNetworkReply::NoError && status == 200
            ? decode(reply->read(maximumBytes + 1))
            : std::nullopt;
        if (image)
            accept(*image);
        else
            tryCandidate(index + 1);
    });
}

// Reading every pixel of an icon is left to a worker thread.
void FaviconLoader::accept(const QImage &image)
{
    QPointer<FaviconLoader> self(this);
    const QString key = m_sources.cacheKey;
    const double pointSize = m_pointSize;
    QThreadPool::globalInstance()->start([self, image, key, pointSize] {
        const FaviconAnalysis analysis = FaviconAnalysis::analyze(image, pointSize);
        FaviconCache::shared().set(key, analysis);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [self, analysis] {
                if (self)
                    Q_EMIT self->finished(analysis);
            },
            Qt::QueuedConnection);
    });
}
