#pragma once

#include <QLabel>

class SettingsModel;

// A plain-text label in one of the theme's text colours, re-coloured when
// the theme changes.
class ThemedLabel final : public QLabel
{
    Q_OBJECT

public:
    enum class Role { Primary, Secondary, Muted, Accent };

    ThemedLabel(const SettingsModel &settings, Role role, int pixelSize, const QString &text = {},
                QWidget *parent = nullptr);

    void setBold(bool bold);

private:
    void recolour();

    const SettingsModel &m_settings;
    const Role m_role;
};
