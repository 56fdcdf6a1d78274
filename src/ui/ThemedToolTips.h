#pragma once

#include <QObject>

class SettingsModel;

// Tooltips in the theme's colours. Qt draws every tooltip with one
// application-wide palette, which the plain system style leaves light
// yellow in dark themes and light ones alike; this keeps it on the current
// theme's card colour and text.
class ThemedToolTips final : public QObject
{
    Q_OBJECT

public:
    explicit ThemedToolTips(const SettingsModel &settings, QObject *parent = nullptr);

private:
    void apply();

    const SettingsModel &m_settings;
};
