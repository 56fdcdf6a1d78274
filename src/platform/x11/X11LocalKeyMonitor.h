#pragma once

#include "platform/KeyMonitor.h"

#include <QObject>

// Key presses in Orvane's own windows, seen before any widget gets them.
class X11LocalKeyMonitor final : public QObject, public KeyMonitor
{
    Q_OBJECT

public:
    ~X11LocalKeyMonitor() override;

    bool install(Handler handler) override;
    void remove() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Handler m_handler;
};
