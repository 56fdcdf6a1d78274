#include "icons/BrandLogoView.h"

#include "icons/AppIconProvider.h"

#include <QPainter>
#include <QPainterPath>

BrandLogoView::BrandLogoView(double size, QWidget *parent) : QWidget(parent), m_size(size) {}

QSize BrandLogoView::sizeHint() const
{
    return QSize(int(m_size), int(m_size));
}

void BrandLogoView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF rect((width() - m_size) / 2, (height() - m_size) / 2, m_size, m_size);
    QPainterPath tile;
    tile.addRoundedRect(rect, m_size * 0.22, m_size * 0.22);
    static const QImage icon = AppIconProvider::icon();
    if (!icon.isNull()) {
        painter.setClipPath(tile);
        painter.drawImage(rect, icon);
        return;
    }
    // The placeholder: the panel against its edge, in the accent colour.
    painter.fillPath(tile, QColor(0x3C, 0x4E, 0xF4));
    painter.fillRect(QRectF(rect.x() + m_size * 0.58, rect.y() + m_size * 0.18, m_size * 0.26, m_size * 0.64), Qt::white);
}
