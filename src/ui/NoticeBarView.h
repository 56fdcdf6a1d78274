#pragma once

#include <QWidget>

class PanelNotice;
class PillButton;
class SettingsModel;
class ThemedLabel;

// The panel's one-line notice: its text and its button ("Undo", or what a
// hint offers), or a question's two. Hidden while there is no notice.
class NoticeBarView final : public QWidget
{
    Q_OBJECT

public:
    NoticeBarView(PanelNotice &notice, const SettingsModel &settings, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();

    PanelNotice &m_notice;
    const SettingsModel &m_settings;
    ThemedLabel *m_text;
    PillButton *m_button;
    PillButton *m_secondButton;
};
