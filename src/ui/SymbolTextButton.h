#pragma once

#include "ui/PanelButton.h"
#include <QColor>

// A flat button of a symbol and a word or two ("Copy Results", "Choose
// files", "Clear all"), in a colour its owner picks from the theme; the text
// is also its accessible name unless a tooltip names it better.
class SymbolTextButton final : public PanelButton
{
    Q_OBJECT

public:
    SymbolTextButton(const QString &symbol, const QString &text, QWidget *parent = nullptr);

    void setSymbol(const QString &symbol);
    void setLabel(const QString &text);
    void setColor(const QColor &color);
    // A thin rounded outline around the button, as a key cap has.
    void setOutline(const QColor &color);
    void setSizes(double symbolSize, int textPixelSize, QFont::Weight weight = QFont::Normal);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_symbol;
    QColor m_color;
    QColor m_outline;
    double m_symbolSize = 10;
};
