#pragma once

#include <QWidget>

class AppState;
class FindBarView;
class HibernationEngine;
class OrvanePanel;
class PillButton;
class QLabel;
class SymbolButton;
class SymbolLabel;

// The bar below the header: hide the panel, whether the page can be trusted,
// the site's host, the zoom while it is not 100 % (a click resets it), reload
// and close; or, while the page is searched, the find field.
class AddressBarView final : public QWidget
{
    Q_OBJECT

public:
    AddressBarView(AppState &state, HibernationEngine &engine, OrvanePanel &panel, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();

    AppState &m_state;
    HibernationEngine &m_engine;
    SymbolButton *m_hidePanel;
    SymbolLabel *m_security;
    QLabel *m_host;
    PillButton *m_zoom;
    FindBarView *m_find;
    SymbolButton *m_reload;
    SymbolButton *m_close;
};
