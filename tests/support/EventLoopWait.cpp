#include "EventLoopWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

bool spinUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < timeoutMs) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return condition();
}

void spinFor(int ms)
{
    spinUntil([] { return false; }, ms);
}

bool holdsFor(const std::function<bool()> &condition, int durationMs)
{
    return !spinUntil([&] { return !condition(); }, durationMs);
}
