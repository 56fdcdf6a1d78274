#pragma once

#include <QString>
#include <QStringList>

// The kind of desktop Orvane runs on and what is limited there, said once on
// standard error at start and on the About page.
struct DesktopSession
{
    // From the session's environment: a Wayland session runs Orvane through XWayland.
    bool wayland = false;
    // What the window manager calls itself (_NET_WM_NAME of its
    // _NET_SUPPORTING_WM_CHECK window); empty when none runs.
    QString windowManager;
    // Whether the desktop's GlobalShortcuts portal takes the global keys (looked for on Wayland only).
    bool shortcutsPortal = false;

    // XDG_SESSION_TYPE and WAYLAND_DISPLAY as the session sets them.
    static bool isWaylandSession(const QString &sessionType, const QString &waylandDisplay);

    // What does not work there as it does elsewhere, one phrase each.
    QStringList limitations() const;
    // "Desktop: X11 session, window manager Openbox; nothing limited."
    QString description() const;
    // How the global keys reach Orvane where that is not the X server, and
    // what to do where nothing brings them; empty on X11.
    QString globalKeysNote() const;
};
