#pragma once

#include <QWidget>

class AppState;
class QLabel;
class SymbolLabel;

// The footer: how many web apps, how many asleep, and the live memory figure
// when the user asked for it.
class StatusFooterView final : public QWidget
{
    Q_OBJECT

public:
    explicit StatusFooterView(AppState &state, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();

    AppState &m_state;
    QLabel *m_apps;
    SymbolLabel *m_snowflake;
    QLabel *m_asleep;
    QLabel *m_beta;
    QLabel *m_memory;
};
