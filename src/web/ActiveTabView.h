#pragma once

#include <QWidget>

class AppState;
class HibernationEngine;
class QLabel;
class QStackedLayout;
class WebContainerView;

// The panel's content until the main container arrives: the active tab's
// page, or "No Tab Selected".
class ActiveTabView final : public QWidget
{
    Q_OBJECT

public:
    ActiveTabView(AppState &state, HibernationEngine &engine, QWidget *parent = nullptr);

private:
    void refresh();

    AppState &m_state;
    QStackedLayout *m_stack;
    QLabel *m_empty;
    WebContainerView *m_container;
};
