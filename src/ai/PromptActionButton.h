#pragma once

#include <QAbstractButton>

class SettingsModel;

// One of the prompt bar's prompts: a symbol and a title in a rounded button;
// the primary one is tinted with the accent colour, hovering strengthens it.
class PromptActionButton final : public QAbstractButton
{
    Q_OBJECT

public:
    PromptActionButton(const SettingsModel &settings, const QString &title, const QString &symbol, bool isPrimary,
                       QWidget *parent = nullptr);

    void setTitleAndSymbol(const QString &title, const QString &symbol);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    const SettingsModel &m_settings;
    QString m_symbol;
    bool m_isPrimary;
    bool m_hovering = false;
};
