#pragma once

#include "platform/DesktopApplications.h"

// The applications of an X11 desktop, through their top-level windows: the
// active one from the window manager (_NET_ACTIVE_WINDOW), or the window with
// the keyboard focus where no window manager runs; each known by WM_CLASS and
// its process; whether that runs terminals, from /proc.
class X11DesktopApplications final : public DesktopApplications
{
public:
    std::optional<DesktopApplication> frontmost() override;
    std::optional<DesktopApplication> keyboardReceiver() override;
    QList<DesktopApplication> regularApplications() override;
};
