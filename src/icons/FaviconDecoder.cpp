#include "icons/FaviconDecoder.h"

#include <QBuffer>
#include <QImageReader>
#include <QList>
#include <QSize>
#include <QtEndian>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {

bool fitsTheBound(const QSize &size)
{
    return size.isValid() && size.width() <= FaviconDecoder::maximumSide && size.height() <= FaviconDecoder::maximumSide;
}

// The size an image of an icon file declares in its own header: an embedded
// PNG's IHDR, or a bitmap's info header (whose height counts the mask too).
// Invalid when the header is cut short.
QSize embeddedSize(QByteArrayView image)
{
    static constexpr char pngSignature[] = "\x89PNG\r\n\x1a\n";
    if (image.startsWith(QByteArrayView(pngSignature, 8))) {
        if (image.size() < 24)
            return {};
        return {int(qFromBigEndian<quint32>(image.data() + 16) & 0x7fffffff),
                int(qFromBigEndian<quint32>(image.data() + 20) & 0x7fffffff)};
    }
    if (image.size() < 12)
        return {};
    if (qFromLittleEndian<quint32>(image.data()) == 12) // the old core header: 16-bit sizes
        return {qFromLittleEndian<quint16>(image.data() + 4), qFromLittleEndian<quint16>(image.data() + 6) / 2};
    const qint32 width = qFromLittleEndian<qint32>(image.data() + 4);
    const qint32 height = qFromLittleEndian<qint32>(image.data() + 8);
    return {int(std::min<qint64>(std::llabs(width), INT32_MAX)), int(std::min<qint64>(std::llabs(height) / 2, INT32_MAX))};
}

// Whether every image of an ICO or CUR file is within the bound. Their
// directory gives each side in one byte (at most 256) and is what the reader
// reports, while the image behind an entry, an embedded PNG above all, may
// be of any size and is decoded at that size.
bool iconImagesFitTheBound(const QByteArray &body)
{
    if (body.size() < 6)
        return false;
    const int count = qFromLittleEndian<quint16>(body.constData() + 4);
    for (int i = 0; i < count; ++i) {
        const qsizetype entry = 6 + qsizetype(i) * 16;
        if (entry + 16 > body.size())
            return false;
        // The image's own length is not trusted to stop the reader.
        const quint32 offset = qFromLittleEndian<quint32>(body.constData() + entry + 12);
        if (offset >= quint64(body.size()))
            continue; // no image there to decode
        const QSize size = embeddedSize(QByteArrayView(body).sliced(offset));
        if (size.isValid() && !fitsTheBound(size))
            return false;
    }
    return true;
}

} // namespace

namespace FaviconDecoder {

std::optional<QImage> decode(const QByteArray &body)
{
    if (body.size() > maximumBytes)
        return std::nullopt;
    QBuffer buffer;
    buffer.setData(body);
    QImageReader reader(&buffer);
    // Read from the header, before any pixel is decoded.
    if (!fitsTheBound(reader.size()))
        return std::nullopt;
    const QByteArray format = reader.format();
    if ((format == "ico" || format == "cur") && !iconImagesFitTheBound(body))
        return std::nullopt;
    const QImage image = reader.read();
    if (image.isNull() || !fitsTheBound(image.size()) || image.width() < 1 || image.height() < 1)
        return std::nullopt;
    return image;
}

} // namespace FaviconDecoder
