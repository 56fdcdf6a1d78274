#pragma once

#include "ui/WindowDragArea.h"

class AppState;
class OrvanePanel;
class QAbstractButton;
class QHBoxLayout;
class SymbolButton;
class SymbolTextButton;

// The top row of the scratchpad and the shelf: the screen's title on the
// left; the command palette, the screen's own buttons, pin and close on the
// right. The row is the panel's drag handle.
class ScreenHeaderView final : public WindowDragArea
{
    Q_OBJECT

public:
    ScreenHeaderView(AppState &state, OrvanePanel &panel, QWidget *titleBlock, QWidget *parent = nullptr);

    // A button of the screen's own, placed before the pin.
    void addButton(QAbstractButton *button);

private:
    void refresh();

    AppState &m_state;
    QHBoxLayout *m_layout;
    SymbolTextButton *m_palette;
    SymbolButton *m_pin;
    SymbolButton *m_close;
};
