#include "ui/ElidingLabel.h"

#include <QPainter>

namespace Elision {

int minimumWidth(const QFontMetrics &metrics, const QString &text)
{
    return std::min(metrics.horizontalAdvance(text) + 1, metrics.horizontalAdvance(QStringLiteral("\u2026")) * 3);
}

bool isCut(const QFontMetrics &metrics, const QString &text, int width)
{
    return metrics.horizontalAdvance(text) > width;
}

} // namespace Elision

ElidingLabel::ElidingLabel(const QString &text, QWidget *parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setText(text);
}

void ElidingLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    updateGeometry();
    updateToolTip();
    update();
}

void ElidingLabel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void ElidingLabel::setPixelSize(int pixelSize, QFont::Weight weight)
{
    QFont font = this->font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    setFont(font);
    updateGeometry();
    updateToolTip();
}

void ElidingLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

QSize ElidingLabel::sizeHint() const
{
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(m_text) + 1, metrics.height());
}

QSize ElidingLabel::minimumSizeHint() const
{
    const QFontMetrics metrics(font());
    return QSize(Elision::minimumWidth(metrics, m_text), metrics.height());
}

void ElidingLabel::updateToolTip()
{
    setToolTip(Elision::isCut(QFontMetrics(font()), m_text, width()) ? m_text : QString());
}

void ElidingLabel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateToolTip();
}

void ElidingLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(m_color);
    painter.drawText(rect(), int(m_alignment), QFontMetrics(font()).elidedText(m_text, Qt::ElideRight, width()));
}
