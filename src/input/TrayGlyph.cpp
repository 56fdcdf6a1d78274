#include "input/TrayGlyph.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
// The design is 18 points square.
constexpr double designSize = 18;
const QColor body(0x26, 0x26, 0x2B);
const QColor rim(0xF2, 0xF2, 0xF5);
const QColor unreadDot(0xF0, 0x4A, 0x3A);
const QPointF dotCentre(14.5, 3.5);
constexpr double dotRadius = 3.2;
constexpr double dotGap = 1.3;
} // namespace

namespace TrayGlyph {

QImage image(int pixels, Mark mark)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(pixels / designSize, pixels / designSize);

    QPainterPath square;
    square.addRoundedRect(QRectF(1.5, 1.5, 15, 15), 3.5, 3.5);
    painter.setPen(QPen(rim, 1.2));
    painter.setBrush(body);
    painter.drawPath(square);

    // The stripe is cut out inside the rim, so the panel behind shows through.
    painter.setClipPath(square);
    painter.setCompositionMode(QPainter::CompositionMode_Clear);
    painter.fillRect(QRectF(5.25, 2.1, 1.5, 13.8), Qt::transparent);
    if (mark == Mark::Unread) {
        painter.setClipping(false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::transparent);
        painter.drawEllipse(dotCentre, dotRadius + dotGap, dotRadius + dotGap);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.setBrush(unreadDot);
        painter.drawEllipse(dotCentre, dotRadius, dotRadius);
    }
    return image;
}

QList<QImage> sizes(Mark mark)
{
    QList<QImage> images;
    for (const int pixels : {16, 22, 24, 32, 48, 64})
        images.append(image(pixels, mark));
    return images;
}

QIcon icon(Mark mark)
{
    QIcon icon;
    for (const QImage &size : sizes(mark))
        icon.addPixmap(QPixmap::fromImage(size));
    return icon;
}

} // namespace TrayGlyph
