#pragma once

#include "theme/AppThemeMode.h"

#include <QAbstractButton>

class SettingsModel;

// A small preview of one theme drawn in that theme's own colours — panel,
// rail, a card and its accent — with its name; the current theme is marked.
// Screen readers see the cards as radio buttons.
class ThemeCard final : public QAbstractButton
{
    Q_OBJECT

public:
    ThemeCard(const SettingsModel &settings, AppThemeMode theme, QWidget *parent = nullptr);

    AppThemeMode theme() const { return m_theme; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SettingsModel &m_settings;
    AppThemeMode m_theme;
};
