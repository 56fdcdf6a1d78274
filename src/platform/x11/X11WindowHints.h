#pragma once

#include "platform/WindowHints.h"

// The hints as EWMH properties, set straight on the X server.
class X11WindowHints final : public WindowHints
{
public:
    void makeSidePanel(QWindow *window) override;
    bool hasCompositor() const override;
};
