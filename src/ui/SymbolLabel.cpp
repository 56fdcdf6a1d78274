#include "ui/SymbolLabel.h"

#include "icons/Symbols.h"

#include <QPainter>

SymbolLabel::SymbolLabel(const QString &symbol, double size, QWidget *parent)
    : QWidget(parent), m_symbol(symbol), m_size(size)
{
    setFixedSize(sizeHint());
}

void SymbolLabel::setSymbol(const QString &symbol)
{
    m_symbol = symbol;
    update();
}

void SymbolLabel::setColor(const QColor &color)
{
    m_color = color;
    update();
}

QSize SymbolLabel::sizeHint() const
{
    return QSize(int(std::ceil(m_size)), int(std::ceil(m_size)));
}

void SymbolLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    Symbols::paint(painter, m_symbol, rect(), m_color);
}
