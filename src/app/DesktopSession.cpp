#include "app/DesktopSession.h"

bool DesktopSession::isWaylandSession(const QString &sessionType, const QString &waylandDisplay)
{
    if (!sessionType.isEmpty())
        return sessionType.compare(QLatin1String("wayland"), Qt::CaseInsensitive) == 0;
    return !waylandDisplay.isEmpty();
}

QStringList DesktopSession::limitations() const
{
    QStringList limited;
    if (windowManager.isEmpty())
        limited << QStringLiteral("no window manager, so no other window takes the keyboard back when the panel hides");
    if (wayland) {
        limited << QStringLiteral("the panel hides when it loses the keyboard instead of on clicks in Wayland windows")
                << QStringLiteral("the hot keys work only while an X11 window has the keyboard, unless the desktop's "
                                  "shortcuts portal takes them")
                << QStringLiteral("the edge strip is reached only where XWayland gets the pointer");
    }
    return limited;
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
