#pragma once

#include "platform/Clock.h"

#include <map>
#include <vector>

// A main queue and timers that run only when the test says so.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(const QDateTime &start = QDateTime(QDate(2026, 1, 15), QTime(9, 0), Qt::UTC));
    ~FakeClock() override;

    QDateTime now() const override;
    double uptime() const override { return m_elapsed; }
    void post(std::function<void()> task) override;
    std::unique_ptr<TimerHandle> singleShot(double seconds, std::function<void()> task) override;
    std::unique_ptr<TimerHandle> repeating(double seconds, std::function<void()> task) override;
    void runFor(double seconds) override { advance(seconds); }

    // Runs the posted tasks, including those they post.
    void runPosted();
    // Moves time forward, firing each due timer at its own moment and
    // running the posted tasks after each.
    void advance(double seconds);
    std::size_t activeTimerCount() const { return m_timers.size(); }

private:
    struct Timer
    {
        double due;
        double interval; // 0 for one-shot
        std::function<void()> task;
    };
    class Handle;

    QDateTime m_start;
    double m_elapsed = 0;
    std::vector<std::function<void()>> m_posted;
    std::map<int, Timer> m_timers;
    int m_nextTimerId = 1;
};
