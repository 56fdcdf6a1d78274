#pragma once

#include <QList>
#include <QString>

#include <optional>

// An application as the desktop knows it, through one of its windows.
struct DesktopApplication
{
    // The window's class pair (WM_CLASS on X11): "xterm" / "XTerm".
    QString instanceName;
    QString className;
    // 0 when the desktop cannot tell.
    qint64 processId = 0;
    // The window it was found by; only meaningful to the port that gave it.
    quint64 window = 0;
    bool isThisApplication = false;
    // Whether its process runs terminals: a process it started has a
    // terminal of its own, as the shell in a terminal emulator has. Looked
    // at only for the window the keys go to; nothing when that process
    // cannot be looked at.
    std::optional<bool> runsTerminal;
};

// The applications on the desktop, for finding where a selection comes from.
class DesktopApplications
{
public:
    virtual ~DesktopApplications() = default;
    DesktopApplications() = default;
    DesktopApplications(const DesktopApplications &) = delete;
    DesktopApplications &operator=(const DesktopApplications &) = delete;

    // The application whose window is active, if any.
    virtual std::optional<DesktopApplication> frontmost() = 0;
    // The application whose window the keys typed now would reach: the one
    // with the keyboard focus, or the one under the pointer where the focus
    // follows the pointer. Nothing when they would reach no application.
    virtual std::optional<DesktopApplication> keyboardReceiver() = 0;
    // The ordinary application windows (no docks, panels or skip-taskbar
    // windows), most recently raised first.
    virtual QList<DesktopApplication> regularApplications() = 0;
};
