#pragma once

#include "ui/PanelButton.h"

class SettingsModel;

// A row of the settings' root list: the page's title, its detail text and
// a chevron; pressing it opens the page.
class SettingsRowButton final : public PanelButton
{
    Q_OBJECT

public:
    SettingsRowButton(const SettingsModel &settings, const QString &title, QWidget *parent = nullptr);

    void setDetail(const QString &detail);
    QString detail() const { return m_detail; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SettingsModel &m_settings;
    QString m_detail;
};
