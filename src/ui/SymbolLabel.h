#pragma once

#include <QColor>
#include <QWidget>

// A symbol that is only shown, never pressed (the padlock before a host, the
// snowflake before the sleeping count).
class SymbolLabel final : public QWidget
{
    Q_OBJECT

public:
    SymbolLabel(const QString &symbol, double size, QWidget *parent = nullptr);

    void setSymbol(const QString &symbol);
    void setColor(const QColor &color);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_symbol;
    double m_size;
    QColor m_color;
};
