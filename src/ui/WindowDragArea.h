#pragma once

#include <QWidget>

// A handle that moves the panel: a press passes through to the panel's
// window, which drags itself along its edge; a double click switches
// between full height and a detached panel.
class WindowDragArea : public QWidget
{
    Q_OBJECT

public:
    // The panel's window starts a move for presses on widgets marked so.
    static constexpr const char *gripProperty = "orvaneWindowGrip";

    explicit WindowDragArea(QWidget *parent = nullptr);

Q_SIGNALS:
    void heightToggleRequested();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
