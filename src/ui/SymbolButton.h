#pragma once

#include "ui/PanelButton.h"

class SettingsModel;
struct ThemePalette;

// A small button that shows one symbol in a theme colour, lights up under
// the pointer, and carries its tooltip as its accessible name.
class SymbolButton final : public PanelButton
{
    Q_OBJECT

public:
    enum class Tint { Secondary, Accent, Primary, Muted };

    SymbolButton(const SettingsModel &settings, const QString &symbol, const QString &tooltip, QWidget *parent = nullptr);

    void setSymbol(const QString &symbol);
    QString symbol() const { return m_symbol; }
    // Also the accessible name.
    void setToolTipText(const QString &tooltip);
    void setSymbolSize(double points);
    void setTint(Tint tint) { m_tint = tint; update(); }
    // A faint square behind the symbol: black on light themes, white on dark ones.
    void setBackdrop(bool backdrop) { m_backdrop = backdrop; update(); }
    // Lit in the accent colour, on an accent square: a switch that is on.
    void setHighlighted(bool highlighted) { m_highlighted = highlighted; update(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor tintColor(const ThemePalette &palette) const;

    const SettingsModel &m_settings;
    QString m_symbol;
    double m_symbolSize = 13;
    Tint m_tint = Tint::Secondary;
    bool m_backdrop = false;
    bool m_highlighted = false;
};
