#include "icons/FaviconAnalysis.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {
constexpr double opaqueAlpha = 0.15;
constexpr double fullBleedCornerAlpha = 0.85;
constexpr double tileCornerRadius = 16;

FaviconAnalysis failed(const QImage &image)
{
    return FaviconAnalysis{image, Qt::transparent, true, true};
}

QColor pixelOrClear(const QImage &image, int x, int y)
{
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
        return Qt::transparent;
    return image.pixelColor(x, y);
}
} // namespace

FaviconAnalysis FaviconAnalysis::analyze(const QImage &input, double targetPointSize)
{
    if (input.isNull() || input.width() < 1 || input.height() < 1)
        return failed(input);
    // Straight (not premultiplied) alpha, so colours read as drawn.
    const QImage pixels = input.convertToFormat(QImage::Format_RGBA8888);
    if (pixels.isNull())
        return failed(input);

    int minX = pixels.width(), minY = pixels.height(), maxX = -1, maxY = -1;
    qint64 opaque = 0;
    for (int y = 0; y < pixels.height(); ++y) {
        const uchar *row = pixels.constScanLine(y);
        for (int x = 0; x < pixels.width(); ++x) {
            if (row[x * 4 + 3] / 255.0 > opaqueAlpha) {
                ++opaque;
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
        }
    }
    if (opaque == 0)
        return failed(input);

    const int boxWidth = maxX - minX + 1;
    const int boxHeight = maxY - minY + 1;
    const bool keepWhole = boxWidth >= pixels.width() - 4 && boxHeight >= pixels.height() - 4;
    const QImage trimmed = keepWhole ? pixels : pixels.copy(minX, minY, boxWidth, boxHeight);
    const double coverage = double(opaque) / (double(boxWidth) * double(boxHeight));

    const int w = trimmed.width();
    const int h = trimmed.height();
    const QColor corners[] = {pixelOrClear(trimmed, 0, 0), pixelOrClear(trimmed, w - 1, 0),
                              pixelOrClear(trimmed, 0, h - 1), pixelOrClear(trimmed, w - 1, h - 1)};
    const bool fullBleed = std::all_of(std::begin(corners), std::end(corners),
                                       [](const QColor &c) { return c.alphaF() > fullBleedCornerAlpha; });

    const int side = int(std::lround(2 * targetPointSize));
    if (side < 1)
        return failed(trimmed);
    QImage tile(side, side, QImage::Format_RGBA8888_Premultiplied);
    tile.fill(Qt::transparent);
    QPainter painter(&tile);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(0, 0, side, side), tileCornerRadius, tileCornerRadius);
    painter.setClipPath(clip);

    FaviconAnalysis result;
    if (fullBleed) {
        double r = 0, g = 0, b = 0;
        for (const QColor &c : corners) {
            r += c.redF() / 4;
            g += c.greenF() / 4;
            b += c.blueF() / 4;
        }
        result.isDarkBackground = 0.299 * r + 0.587 * g + 0.114 * b < 0.5;
        result.backgroundColor = QColor::fromRgbF(float(r), float(g), float(b));
        painter.fillRect(QRectF(0, 0, side, side), result.backgroundColor);
        painter.drawImage(QRectF(0, 0, side, side), trimmed);
    } else {
        const bool solid = coverage >= 0.45;
        const double scale = solid ? 1.16 : 0.72;
        painter.fillRect(QRectF(0, 0, side, side), solid ? QColor(Qt::white) : QColor(32, 36, 44));
        const double drawn = side * scale;
        const double origin = (side - drawn) / 2;
        painter.drawImage(QRectF(origin, origin, drawn, drawn), trimmed);
        result.backgroundColor = Qt::transparent;
        result.isDarkBackground = true;
    }
    painter.end();
    result.image = tile;
    result.image.setDevicePixelRatio(2);
    result.isFullBleed = fullBleed;
    return result;
}
