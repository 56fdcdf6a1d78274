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
    // XWayland hands an X client the pointer and the keys only over and for X windows.
    return {QStringLiteral("clicks in Wayland windows do not hide the panel"),
            QStringLiteral("the hot keys work only while an X11 window has the keyboard"),
            QStringLiteral("the edge strip gets no pointer from Wayland")};
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
