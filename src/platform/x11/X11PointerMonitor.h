#pragma once

#include "platform/PointerMonitor.h"

#include <QObject>
#include <QPoint>
#include <QTimer>

#include <xcb/xcb.h>

#include <memory>
#include <optional>

class QSocketNotifier;

// Pointer events of the whole desktop. Button presses come as XInput2 raw
// events on a connection of our own (so Qt's own input selection on the root
// window stays untouched); movement is sampled at up to 120 Hz while tracked,
// because absolute pointer moves produce no raw motion events.
class X11PointerMonitor final : public QObject, public PointerMonitor
{
    Q_OBJECT

public:
    X11PointerMonitor();
    ~X11PointerMonitor() override;

    void start(Handlers handlers) override;
    void setTrackingMovement(bool tracking) override;

private:
    void readEvents();
    void samplePointer();
    std::optional<QPoint> pointerPosition();

    xcb_connection_t *m_connection = nullptr;
    uint8_t m_inputOpcode = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
    QTimer m_sampler;
    QPoint m_lastPosition;
    Handlers m_handlers;
};
