#pragma once

#include <QAbstractButton>

class AppIconView;
class QNetworkAccessManager;
class SettingsModel;
struct TabModel;

// A round button with an AI tab's icon that routes the prompt to that tab;
// the tab that receives it is ringed in the accent colour.
class PromptTargetButton final : public QAbstractButton
{
    Q_OBJECT

public:
    PromptTargetButton(const SettingsModel &settings, QNetworkAccessManager &network, const TabModel &tab,
                       bool isTarget, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SettingsModel &m_settings;
    AppIconView *m_icon;
    bool m_isTarget;
};
