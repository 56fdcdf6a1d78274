#pragma once

#include "platform/KeyMonitor.h"

#include <QObject>

class QWidget;

// Key presses in the panel's window, seen before any widget gets them. Menus
// and dialogs of Orvane keep their own keys: Escape closes them, and Ctrl+W
// or a digit is theirs to use.
class X11LocalKeyMonitor final : public QObject, public KeyMonitor
{
    Q_OBJECT

public:
    explicit X11LocalKeyMonitor(const QWidget &panel);
    ~X11LocalKeyMonitor() override;

    bool install(Handler handler) override;
    void remove() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const QWidget &m_panel;
    Handler m_handler;
};
