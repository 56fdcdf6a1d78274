#pragma once

#include <functional>

// System-wide pointer events, also those meant for other applications.
class PointerMonitor
{
public:
    virtual ~PointerMonitor() = default;
    PointerMonitor() = default;
    PointerMonitor(const PointerMonitor &) = delete;
    PointerMonitor &operator=(const PointerMonitor &) = delete;

    struct Handlers
    {
        // The pointer moved; read its position from the screen environment.
        std::function<void()> moved;
        // The left or right button went down anywhere.
        std::function<void()> buttonPressed;
    };

    virtual void start(Handlers handlers) = 0;
    // Movement is watched only while someone cares (the panel is shown).
    virtual void setTrackingMovement(bool tracking) = 0;
};
