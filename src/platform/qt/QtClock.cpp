#include "platform/qt/QtClock.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace {
class QtTimerHandle final : public TimerHandle
{
public:
    QtTimerHandle(double seconds, bool repeating, std::function<void()> task) : m_timer(new QTimer)
    {
        m_timer->setTimerType(Qt::PreciseTimer);
        m_timer->setSingleShot(!repeating);
        m_timer->setInterval(std::chrono::milliseconds(qRound64(seconds * 1000)));
        QObject::connect(m_timer, &QTimer::timeout, m_timer, std::move(task));
        m_timer->start();
    }

    // A task may drop its own timer's handle while it runs; the QTimer is
    // then still emitting, so it goes at the next turn of the event loop.
    ~QtTimerHandle() override
    {
        m_timer->stop();
        m_timer->deleteLater();
    }

private:
    QTimer *m_timer;
};
} // namespace

QtClock::QtClock()
{
    m_uptime.start();
}

QDateTime QtClock::now() const
{
    return QDateTime::currentDateTimeUtc();
}

double QtClock::uptime() const
{
    return double(m_uptime.nsecsElapsed()) / 1e9;
}

void QtClock::post(std::function<void()> task)
{
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

std::unique_ptr<TimerHandle> QtClock::singleShot(double seconds, std::function<void()> task)
{
    return std::make_unique<QtTimerHandle>(seconds, false, std::move(task));
}

std::unique_ptr<TimerHandle> QtClock::repeating(double seconds, std::function<void()> task)
{
    return std::make_unique<QtTimerHandle>(seconds, true, std::move(task));
}

void QtClock::runFor(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(std::chrono::milliseconds(qRound64(seconds * 1000)), Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}
