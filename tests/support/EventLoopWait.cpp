#include "EventLoopWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

bool spinUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (condition())
            return true;
        if (timer.elapsed() >= timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
}

void spinFor(int ms)
{
    spinUntil([] { return false; }, ms);
}

bool holdsFor(const std::function<bool()> &condition, int durationMs)
{
    return !spinUntil([&] { return !condition(); }, durationMs);
}
