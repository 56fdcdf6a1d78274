#pragma once

#include <QCache>
#include <QImage>
#include <QObject>
#include <QPointer>
#include <QThreadPool>

#include <functional>

// Pictures for the shelf's image cards, decoded off the main thread at the
// size they are shown (a 100-megapixel photo is read at a fraction of its
// size, where its format allows, and an image that would need more memory
// than a thumbnail deserves is refused), and kept for a while so that a card
// made again shows its picture at once.
class ThumbnailLoader final : public QObject
{
    Q_OBJECT

public:
    // At most what one decode may allocate.
    static constexpr int allocationLimitMegabytes = 64;

    explicit ThumbnailLoader(QObject *parent = nullptr);
    ~ThumbnailLoader() override;

    // `done` runs on the main thread with the picture, square and `side`
    // pixels wide (cropped to fill), or a null image when the file cannot be
    // decoded; it does not run once `context` is gone.
    void request(const QString &path, int side, QObject *context, std::function<void(const QImage &)> done);
    // The decoding itself, on any thread.
    static QImage decode(const QString &path, int side);

private:
    QThreadPool m_decoding;
    QCache<QString, QImage> m_recent;
};
