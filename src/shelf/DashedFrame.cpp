#include "shelf/DashedFrame.h"

#include <QPainter>

DashedFrame::DashedFrame(QWidget *parent) : QWidget(parent) {}

void DashedFrame::setColors(const QColor &outline, const QColor &fill)
{
    m_outline = outline;
    m_fill = fill;
    update();
}

void DashedFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(m_outline, 1.2, Qt::CustomDashLine);
    pen.setDashPattern({4, 3});
    painter.setPen(pen);
    painter.setBrush(m_fill.isValid() ? QBrush(m_fill) : Qt::NoBrush);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 12, 12);
}
