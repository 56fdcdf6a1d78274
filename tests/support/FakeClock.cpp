#include "FakeClock.h"

#include <cmath>

class FakeClock::Handle final : public TimerHandle
{
public:
    Handle(FakeClock &clock, int id) : m_clock(clock), m_id(id) {}
    ~Handle() override { m_clock.m_timers.erase(m_id); }

private:
    FakeClock &m_clock;
    int m_id;
};

FakeClock::FakeClock(const QDateTime &start) : m_start(start) {}

FakeClock::~FakeClock() = default;

QDateTime FakeClock::now() const
{
    return m_start.addMSecs(std::llround(m_elapsed * 1000));
}

void FakeClock::post(std::function<void()> task)
{
    m_posted.push_back(std::move(task));
}

std::unique_ptr<TimerHandle> FakeClock::singleShot(double seconds, std::function<void()> task)
{
    const int id = m_nextTimerId++;
    m_timers[id] = Timer{m_elapsed + seconds, 0, std::move(task)};
    return std::make_unique<Handle>(*this, id);
}

std::unique_ptr<TimerHandle> FakeClock::repeating(double seconds, std::function<void()> task)
{
    const int id = m_nextTimerId++;
    m_timers[id] = Timer{m_elapsed + seconds, seconds, std::move(task)};
    return std::make_unique<Handle>(*this, id);
}

void FakeClock::runPosted()
{
    while (!m_posted.empty()) {
        auto batch = std::move(m_posted);
        m_posted.clear();
        for (auto &task : batch)
            task();
    }
}

void FakeClock::advance(double seconds)
{
    const double target = m_elapsed + seconds;
    runPosted();
    for (;;) {
        auto next = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
            if (it->second.due <= target + 1e-9 && (next == m_timers.end() || it->second.due < next->second.due))
                next = it;
        }
        if (next == m_timers.end())
            break;
        m_elapsed = std::max(m_elapsed, next->second.due);
        // The task may destroy its own handle (and so erase the entry): copy first.
        auto task = next->second.task;
        if (next->second.interval > 0)
            next->second.due += next->second.interval;
        else
            m_timers.erase(next);
        task();
        runPosted();
    }
    m_elapsed = target;
}
