#pragma once

#include "ui/WindowDragArea.h"

class AppState;
class ElidingLabel;
class HibernationEngine;
class OrvanePanel;
class QPushButton;
class SymbolButton;

// The bar above a web tab: its title, the desktop/mobile switch, hibernate,
// command palette, pin and hide. The bar itself is a drag handle.
class TopHeaderBarView final : public WindowDragArea
{
    Q_OBJECT

public:
    TopHeaderBarView(AppState &state, HibernationEngine &engine, OrvanePanel &panel, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void refresh();

    AppState &m_state;
    HibernationEngine &m_engine;
    ElidingLabel *m_title;
    QWidget *m_deviceToggle;
    QPushButton *m_desktop;
    QPushButton *m_mobile;
    SymbolButton *m_hibernate;
    SymbolButton *m_palette;
    SymbolButton *m_pin;
    SymbolButton *m_hide;
};
