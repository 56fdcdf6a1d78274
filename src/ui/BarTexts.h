#pragma once

#include "state/LayoutEnums.h"

#include <QString>
#include <QUrl>

#include <optional>

struct TabModel;

// The words and symbols of the header bar, the address bar and the status
// footer, as the state gives them.
namespace BarTexts {

// The active tab's title, or "Orvane".
QString headerTitle(const std::optional<TabModel> &activeTab);
QString hibernateTooltip(bool hibernated);
QString pinSymbol(bool pinned);
QString pinTooltip(bool pinned);
// Points at the docked edge.
QString hideSymbol(ScreenDockEdge edge);
// The host, or the whole address when it has none.
QString addressText(const QUrl &url);

QString webAppsText(qsizetype tabCount);
QString asleepText(qsizetype sleepingCount);
QString memoryText(int megabytes);
// What the memory figure counts, with the figure.
QString memoryTooltip(int megabytes);
// Shown after a rail tab's title.
QString railTabTooltip(const QString &title);
QString railButtonTooltip(const QString &title, bool sleeping);

} // namespace BarTexts
