#pragma once

#include <QWidget>

class AppState;
class HibernationEngine;
class PillButton;
class QLabel;
class QStackedLayout;
class SymbolLabel;
class WebContainerView;

// Where a web tab's page goes: the page itself, "No Tab Selected", or, for a
// tab put to sleep while on screen, a sleeping state with a button that wakes
// it (its page is not made again until then).
class PageAreaView final : public QWidget
{
    Q_OBJECT

public:
    PageAreaView(AppState &state, HibernationEngine &engine, QWidget *parent = nullptr);

    enum class Showing { Page, NoTab, Sleeping };
    Showing showing() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void refresh();

    AppState &m_state;
    QStackedLayout *m_stack;
    QLabel *m_noTab;
    QWidget *m_sleeping;
    SymbolLabel *m_sleepingSymbol;
    QLabel *m_sleepingTitle;
    QLabel *m_sleepingDetail;
    PillButton *m_wake;
    WebContainerView *m_container;
};
