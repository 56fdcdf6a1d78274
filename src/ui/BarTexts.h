#pragma once

#include "state/LayoutEnums.h"

#include <QString>
#include <QUrl>

#include <optional>

struct TabModel;
class WebPage;

// The words and symbols of the header bar, the address bar and the status
// footer, as the state gives them.
namespace BarTexts {

// The title of the active tab's page while it has one, else the tab's own
// name, or "Orvane" without a tab. The tab's record keeps the name it was
// given; the header follows the page as it navigates.
QString headerTitle(const std::optional<TabModel> &activeTab, const QString &pageTitle);
QString hibernateTooltip(bool hibernated);
QString pinSymbol(bool pinned);
QString pinTooltip(bool pinned);
// Points at the docked edge.
QString hideSymbol(ScreenDockEdge edge);
// The host, or the whole address when it has none.
QString addressText(const QUrl &url);

// The symbol before the host and what a screen reader says for it.
struct SecurityMark
{
    QString symbol;
    QString name;
};
// A padlock only for an https page whose certificate was accepted without
// error; none while no page is loaded (a sleeping tab).
std::optional<SecurityMark> securityMark(const WebPage *page);

QString webAppsText(qsizetype tabCount);
QString asleepText(qsizetype sleepingCount);
QString memoryText(int megabytes);
// What the memory figure counts, with the figure.
QString memoryTooltip(int megabytes);
// Shown after a rail tab's title.
QString railTabTooltip(const QString &title);
// With the count the tab's title last announced ("Gmail, 3 unread"); a
// sleeping tab's count is the one it had when it went to sleep.
QString railButtonTooltip(const QString &title, bool sleeping, int unreadCount = 0);

} // namespace BarTexts
