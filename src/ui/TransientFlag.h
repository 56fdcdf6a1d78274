#pragma once

#include <QObject>

#include <memory>

class Clock;
class TimerHandle;

// A flag that stays up for a while after it is raised, such as a button's
// "Copied" feedback; raising it again starts the while over.
class TransientFlag final : public QObject
{
    Q_OBJECT

public:
    TransientFlag(Clock &clock, double seconds, QObject *parent = nullptr);
    ~TransientFlag() override;

    void raise();
    bool isRaised() const { return bool(m_lowering); }

Q_SIGNALS:
    void changed();

private:
    Clock &m_clock;
    double m_seconds;
    std::unique_ptr<TimerHandle> m_lowering;
};
