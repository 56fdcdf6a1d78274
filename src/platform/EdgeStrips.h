#pragma once

#include "platform/DragPayload.h"

#include <QList>
#include <QRectF>

#include <functional>

// Invisible windows along a screen edge, above ordinary windows on every
// workspace, that report the pointer arriving, clicks and drags without ever
// taking the keyboard.
class EdgeStrips
{
public:
    virtual ~EdgeStrips() = default;
    EdgeStrips() = default;
    EdgeStrips(const EdgeStrips &) = delete;
    EdgeStrips &operator=(const EdgeStrips &) = delete;

    struct Handlers
    {
        std::function<void()> pointerEntered;
        // The left button went down on a strip.
        std::function<void()> pressed;
        // A drag arrived over a strip; the strip has already answered "copy".
        std::function<void()> dragEntered;
        // Something was dropped; answers whether it was taken.
        std::function<bool(const DragPayload &)> dropped;
    };

    virtual void setHandlers(Handlers handlers) = 0;
    // Replaces every strip by new ones at these frames (desktop coordinates),
    // so no state of the old ones survives; an empty list removes them all.
    virtual void setFrames(const QList<QRectF> &frames) = 0;
    // Strips that take no input let the pointer, clicks and drags through to
    // the windows below them.
    virtual void setTakesInput(bool takesInput) = 0;
};
