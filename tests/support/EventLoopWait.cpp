#include "EventLoopWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>

bool spinUntil(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return condition();
}

void spinFor(int ms)
{
    spinUntil([] { return false; }, ms);
}
