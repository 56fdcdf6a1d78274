#pragma once

#include <QAbstractButton>

class SettingsModel;

// An on/off switch: a checkable button drawn as a sliding knob. Space
// flips it; its accessible name is the setting it switches.
class ToggleSwitch final : public QAbstractButton
{
    Q_OBJECT

public:
    ToggleSwitch(const SettingsModel &settings, const QString &accessibleName, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SettingsModel &m_settings;
};
