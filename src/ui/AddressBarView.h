#pragma once

#include <QWidget>

class AppState;
class HibernationEngine;
class OrvanePanel;
class QLabel;
class SymbolButton;
class SymbolLabel;

// The bar below the header: hide the panel, whether the page can be trusted,
// the site's host, reload and close.
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
    SymbolButton *m_reload;
    SymbolButton *m_close;
};
