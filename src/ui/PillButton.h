#pragma once

#include "ui/PanelButton.h"

class SettingsModel;

// A rounded text button in the theme's colours. Checkable ones show their
// checked state as the marked choice, and screen readers see them as radio
// buttons; Space and Return press it.
class PillButton final : public PanelButton
{
    Q_OBJECT

public:
    enum class Style {
        // Outlined; accent-tinted while checked.
        Plain,
        // Filled with the accent colour.
        Accent,
    };

    PillButton(const SettingsModel &settings, const QString &text, Style style = Style::Plain, QWidget *parent = nullptr);

    void setStyle(Style style);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SettingsModel &m_settings;
    Style m_style;
};
