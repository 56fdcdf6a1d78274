#pragma once

#include <QLabel>

class SettingsModel;

// A plain-text label in one of the theme's text colours, re-coloured when
// the theme changes. A one-line label gives way when space is short, ending
// in "…" as an ElidingLabel does; a word-wrapped one wraps.
class ThemedLabel final : public QLabel
{
    Q_OBJECT

public:
    enum class Role { Primary, Secondary, Muted, Accent };

    ThemedLabel(const SettingsModel &settings, Role role, int pixelSize, const QString &text = {},
                QWidget *parent = nullptr);

    void setBold(bool bold);

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void recolour();

    const SettingsModel &m_settings;
    const Role m_role;
};
