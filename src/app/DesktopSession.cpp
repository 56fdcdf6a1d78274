#include "app/DesktopSession.h"

bool DesktopSession::isWaylandSession(const QString &sessionType, const QString &waylandDisplay)
{
    if (!sessionType.isEmpty())
        return sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
    return !waylandDisplay.isEmpty();
}

QStringList DesktopSession::limitations() const
{
    if (!wayland)
        return {};
    // XWayland hands an X client the pointer only over X windows, and the keys
    // only while an X window has the keyboard.
    QStringList limited{QStringLiteral("the edge strip gets no pointer from Wayland; use the notch, the hot keys or the tray")};
    if (!shortcutsPortal)
        limited.prepend(QStringLiteral("the hot keys work only while an X11 window has the keyboard"));
    return limited;
}

QString DesktopSession::globalKeysNote() const
{
    if (!wayland)
        return {};
    if (shortcutsPortal)
        return QStringLiteral("This Wayland desktop binds the global keys through its own shortcut settings, where "
                              "you can change them.");
    return QStringLiteral("This Wayland desktop passes the global keys to Orvane only while one of its windows has the "
                          "keyboard. To summon Orvane from anywhere, bind a shortcut in your desktop's keyboard "
                          "settings to the command: xdg-open orvane://toggle");
}

QString DesktopSession::description() const
{
    const QString session = wayland ? QStringLiteral("Wayland session through XWayland") : QStringLiteral("X11 session");
    const QString manager = windowManager.isEmpty() ? QStringLiteral("no window manager")
                                                    : QStringLiteral("window manager %1").arg(windowManager);
    const QStringList limited = limitations();
    return QStringLiteral("Desktop: %1, %2; %3.")
        .arg(session, manager,
             limited.isEmpty() ? QStringLiteral("nothing limited") : QStringLiteral("limited: ") + limited.join(QStringLiteral("; ")));
}
