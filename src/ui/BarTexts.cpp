#include "ui/BarTexts.h"

#include "platform/WebPage.h"
#include "state/CountText.h"
#include "web/TabModel.h"

namespace BarTexts {

QString headerTitle(const std::optional<TabModel> &activeTab, const QString &pageTitle)
{
    if (!activeTab)
        return QStringLiteral("Orvane");
    const QString shown = pageTitle.trimmed();
    return shown.isEmpty() ? activeTab->title : shown;
}

QString hibernateTooltip(bool hibernated)
{
    return hibernated ? QStringLiteral("Wake this tab") : QStringLiteral("Hibernate this tab");
}

QString pinSymbol(bool pinned)
{
    return pinned ? QStringLiteral("pin.fill") : QStringLiteral("pin");
}

QString pinTooltip(bool pinned)
{
    return pinned ? QStringLiteral("Pinned: Window stays open") : QStringLiteral("Unpinned: Auto-hides when cursor leaves");
}

QString hideSymbol(ScreenDockEdge edge)
{
    return edge == ScreenDockEdge::Left ? QStringLiteral("chevron.left") : QStringLiteral("chevron.right");
}

QString addressText(const QUrl &url)
{
    return url.host().isEmpty() ? url.toString() : url.host();
}

std::optional<SecurityMark> securityMark(const WebPage *page)
{
    if (!page || page->url().isEmpty())
        return std::nullopt;
    if (page->url().scheme() == QLatin1String("https") && !page->hadCertificateError())
        return SecurityMark{QStringLiteral("lock.fill"), QStringLiteral("Secure connection")};
    return SecurityMark{QStringLiteral("lock.open.fill"), QStringLiteral("Not secure")};
}

QString webAppsText(qsizetype tabCount)
{
    return CountText::of(tabCount, QStringLiteral("web app"), QStringLiteral("web apps"));
}

QString asleepText(qsizetype sleepingCount)
{
    return QStringLiteral("%1 asleep").arg(sleepingCount);
}

QString memoryText(int megabytes)
{
    return QStringLiteral("RAM: %1 MB").arg(megabytes);
}

QString memoryTooltip(int megabytes)
{
    return QStringLiteral("Live RAM used by Orvane and its web pages (proportional set size): %1 MB").arg(megabytes);
}

QString railTabTooltip(const QString &title)
{
    return title + QStringLiteral(" \u00B7 Ctrl-drag to reorder");
}

QString railButtonTooltip(const QString &title, bool sleeping, int unreadCount)
{
    const QString name = sleeping ? title + QStringLiteral(" (Hibernated)") : title;
    if (unreadCount <= 0)
        return name;
    return name + (sleeping ? QStringLiteral(", %1 unread when it went to sleep") : QStringLiteral(", %1 unread")).arg(unreadCount);
}

} // namespace BarTexts
