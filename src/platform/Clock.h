#pragma once

#include <QDateTime>

#include <functional>
#include <memory>

// A running timer; destroying the handle stops it.
class TimerHandle
{
public:
    virtual ~TimerHandle() = default;
    TimerHandle() = default;
    TimerHandle(const TimerHandle &) = delete;
    TimerHandle &operator=(const TimerHandle &) = delete;
};

// Time and the main queue. Logic takes both from here so that tests can drive
// every delay exactly without waiting.
class Clock
{
public:
    virtual ~Clock() = default;
    Clock() = default;
    Clock(const Clock &) = delete;
    Clock &operator=(const Clock &) = delete;

    // Wall-clock time, for stamps that are stored or shown.
    virtual QDateTime now() const = 0;
    // Seconds on a clock that never jumps, for measuring intervals.
    virtual double uptime() const = 0;
    // Runs the task on a later turn of the main queue.
    virtual void post(std::function<void()> task) = 0;
    virtual std::unique_ptr<TimerHandle> singleShot(double seconds, std::function<void()> task) = 0;
    virtual std::unique_ptr<TimerHandle> repeating(double seconds, std::function<void()> task) = 0;
    // Lets the main queue run, nested, for this long: for the rare wait whose
    // caller needs its result before returning.
    virtual void runFor(double seconds) = 0;
};
