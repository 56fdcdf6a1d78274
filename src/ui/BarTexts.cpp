#include "ui/BarTexts.h"

#include "state/CountText.h"
#include "web/TabModel.h"

namespace BarTexts {

QString headerTitle(const std::optional<TabModel> &activeTab)
{
    return activeTab ? activeTab->title : QStringLiteral("Orvane");
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
    return QStringLiteral("Live physical RAM footprint of Orvane host process (%1 MB)").arg(megabytes);
}

QString railTabTooltip(const QString &title)
{
    return title + QStringLiteral(" \u00B7 Ctrl-drag to reorder");
}

QString railButtonTooltip(const QString &title, bool sleeping)
{
    return sleeping ? title + QStringLiteral(" (Hibernated)") : title;
}

} // namespace BarTexts
