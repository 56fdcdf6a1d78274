#pragma once

#include "ui/WindowDragArea.h"

#include <functional>

class AppState;
class OrvanePanel;
class QAbstractButton;
class QHBoxLayout;
class SymbolButton;
class SymbolTextButton;

// The top row of the scratchpad, the shelf and the settings, the same in
// each and as tall as the web tabs' header: the screen's title on the left;
// the command palette, the screen's own buttons, pin and close on the right.
// The row is the panel's drag handle.
class ScreenHeaderView final : public WindowDragArea
{
    Q_OBJECT

public:
    // The size of every screen's title.
    static constexpr int titlePixelSize = 17;

    // Its close button hides the panel.
    ScreenHeaderView(AppState &state, OrvanePanel &panel, QWidget *titleBlock, QWidget *parent = nullptr);
    // Its close button ("xmark") runs `close`.
    ScreenHeaderView(AppState &state, std::function<void()> close, const QString &closeTooltip, QWidget *titleBlock,
                     QWidget *parent = nullptr);

    // A button of the screen's own, placed before the pin.
    void addButton(QAbstractButton *button);

private:
    ScreenHeaderView(AppState &state, std::function<void()> close, const QString &closeTooltip, bool closeHidesPanel,
                     QWidget *titleBlock, QWidget *parent);
    void refresh();

    AppState &m_state;
    const bool m_closeHidesPanel;
    QHBoxLayout *m_layout;
    SymbolTextButton *m_palette;
    SymbolButton *m_pin;
    SymbolButton *m_close;
};
