#include "input/TrayGlyph.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
// The design is 18 points square.
constexpr double designSize = 18;
const QColor body(0x26, 0x26, 0x2B);
const QColor rim(0xF2, 0xF2, 0xF5);
} // namespace

namespace TrayGlyph {

QImage image(int pixels)
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
    return image;
}

QIcon icon()
{
    QIcon icon;
    for (const int pixels : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(image(pixels)));
    return icon;
}

} // namespace TrayGlyph
