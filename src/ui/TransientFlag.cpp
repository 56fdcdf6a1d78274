#include "ui/TransientFlag.h"

#include "platform/Clock.h"

TransientFlag::TransientFlag(Clock &clock, double seconds, QObject *parent)
    : QObject(parent), m_clock(clock), m_seconds(seconds)
{
}

TransientFlag::~TransientFlag() = default;

void TransientFlag::raise()
{
    m_lowering = m_clock.singleShot(m_seconds, [this] {
        m_lowering.reset();
        Q_EMIT changed();
    });
    Q_EMIT changed();
}
