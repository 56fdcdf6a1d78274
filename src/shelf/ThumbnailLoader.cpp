#include "shelf/ThumbnailLoader.h"

#include <QDateTime>
#include <QFileInfo>
#include <QImageReader>

namespace {
constexpr int recentBytes = 16 << 20;

QString cacheKey(const QString &path, int side)
{
    const QFileInfo info(path);
    return QStringLiteral("%1|%2|%3|%4")
        .arg(path)
        .arg(side)
        .arg(info.size())
        .arg(info.lastModified().toMSecsSinceEpoch());
}

// The middle square of an image that already fills it.
QImage centerSquare(const QImage &image, int side)
{
    if (image.isNull())
        return image;
    const QImage filled = image.width() == side && image.height() == side
        ? image
        : image.scaled(side, side, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
    return filled.copy((filled.width() - side) / 2, (filled.height() - side) / 2, side, side);
}
} // namespace

ThumbnailLoader::ThumbnailLoader(QObject *parent) : QObject(parent), m_recent(recentBytes)
{
    m_decoding.setMaxThreadCount(2);
}

ThumbnailLoader::~ThumbnailLoader()
{
    m_decoding.clear();
    m_decoding.waitForDone();
}

QImage ThumbnailLoader::decode(const QString &path, int side)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    reader.setAllocationLimit(allocationLimitMegabytes);
    const QSize size = reader.size();
    if (size.isValid() && side > 0 && (size.width() > side || size.height() > side))
        reader.setScaledSize(size.scaled(side, side, Qt::KeepAspectRatioByExpanding));
    return centerSquare(reader.read(), side);
}

void ThumbnailLoader::request(const QString &path, int side, QObject *context, std::function<void(const QImage &)> done)
{
    const QString key = cacheKey(path, side);
    if (const QImage *known = m_recent.object(key)) {
        done(*known);
        return;
    }
    QPointer<QObject> receiver(context);
    m_decoding.start([this, path, side, key, receiver, done = std::move(done)] {
        const QImage image = decode(path, side);
        QMetaObject::invokeMethod(this, [this, key, image, receiver, done] {
            m_recent.insert(key, new QImage(image), qMax(1, int(image.sizeInBytes())));
            if (receiver)
                done(image);
        }, Qt::QueuedConnection);
    });
}
