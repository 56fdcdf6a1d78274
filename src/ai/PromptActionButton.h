#pragma once

#include "ui/PanelButton.h"

class SettingsModel;

// One of the prompt bar's prompts: a symbol and a title in a rounded button;
// the primary one is tinted with the accent colour, hovering strengthens it.
class PromptActionButton final : public PanelButton
{
    Q_OBJECT

public:
    PromptActionButton(const SettingsModel &settings, const QString &title, const QString &symbol, bool isPrimary,
                       QWidget *parent = nullptr);

    void setTitleAndSymbol(const QString &title, const QString &symbol);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const SettingsModel &m_settings;
    QString m_symbol;
    bool m_isPrimary;
};
