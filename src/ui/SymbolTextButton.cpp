#include "ui/SymbolTextButton.h"

#include "icons/Symbols.h"

#include <QPainter>

namespace {
constexpr int padding = 6;
constexpr int gap = 5;
} // namespace

SymbolTextButton::SymbolTextButton(const QString &symbol, const QString &text, QWidget *parent)
    : PanelButton(parent), m_symbol(symbol)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setLabel(text);
}

void SymbolTextButton::setSymbol(const QString &symbol)
{
    m_symbol = symbol;
    updateGeometry();
    update();
}

void SymbolTextButton::setLabel(const QString &text)
{
    setText(text);
    if (toolTip().isEmpty())
        setAccessibleName(text);
    updateGeometry();
    update();
}

void SymbolTextButton::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void SymbolTextButton::setOutline(const QColor &color)
{
    m_outline = color;
    update();
}

void SymbolTextButton::setSizes(double symbolSize, int textPixelSize, QFont::Weight weight)
{
    m_symbolSize = symbolSize;
    QFont font = this->font();
    font.setPixelSize(textPixelSize);
    font.setWeight(weight);
    setFont(font);
    updateGeometry();
}

QSize SymbolTextButton::sizeHint() const
{
    const QFontMetrics metrics(font());
    int width = 2 * padding + metrics.horizontalAdvance(text());
    if (!m_symbol.isEmpty())
        width += int(std::ceil(m_symbolSize)) + (text().isEmpty() ? 0 : gap);
    const int height = std::max(metrics.height(), int(std::ceil(m_symbolSize))) + 8;
    return QSize(width, height);
}

void SymbolTextButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    if (isHovering() || isDown() || hasFocus()) {
        QColor wash = m_color;
        wash.setAlphaF(0.1f);
        painter.setPen(Qt::NoPen);
        painter.setBrush(wash);
        painter.drawRoundedRect(area, 6, 6);
    }
    if (m_outline.isValid()) {
        painter.setPen(QPen(m_outline, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(area, 5, 5);
    }
    const QFontMetrics metrics(font());
    const int symbolWidth = m_symbol.isEmpty() ? 0 : int(std::ceil(m_symbolSize)) + (text().isEmpty() ? 0 : gap);
    const int contentWidth = symbolWidth + metrics.horizontalAdvance(text());
    double x = (width() - contentWidth) / 2.0;
    if (!m_symbol.isEmpty()) {
        const QRectF box(x, (height() - m_symbolSize) / 2.0, m_symbolSize, m_symbolSize);
        Symbols::paint(painter, m_symbol, box, m_color);
        x += symbolWidth;
    }
    painter.setPen(m_color);
    painter.drawText(QRectF(x, 0, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
}

