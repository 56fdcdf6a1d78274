#pragma once

#include "platform/Clock.h"

#include <QElapsedTimer>

// The Qt event loop as the main queue; needs a QCoreApplication.
class QtClock final : public Clock
{
public:
    QtClock();

    QDateTime now() const override;
    double uptime() const override;
    void post(std::function<void()> task) override;
    std::unique_ptr<TimerHandle> singleShot(double seconds, std::function<void()> task) override;
    std::unique_ptr<TimerHandle> repeating(double seconds, std::function<void()> task) override;
    void runFor(double seconds) override;

private:
    QElapsedTimer m_uptime;
};
