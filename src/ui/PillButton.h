#pragma once

#include <QAbstractButton>

class SettingsModel;

// A rounded text button in the theme's colours. Checkable ones show their
// checked state as the marked choice; Space and Return press it.
class PillButton final : public QAbstractButton
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
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    const SettingsModel &m_settings;
    Style m_style;
    bool m_hovering = false;
};
