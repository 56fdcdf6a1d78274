#pragma once

#include "web/TabModel.h"

// The rules of the tab list, on plain values. Each change reports whether it
// changed anything, so the caller knows whether to save.
namespace TabList {

// -1 when no tab has the id.
qsizetype indexOf(const QList<TabModel> &tabs, const QUuid &id);

bool moveUp(QList<TabModel> &tabs, const QUuid &id);
bool moveDown(QList<TabModel> &tabs, const QUuid &id);
// Moves `from` to the place `to` had: after it when moving down, before it
// when moving up.
bool reorder(QList<TabModel> &tabs, const QUuid &from, const QUuid &to);
// Moves the tabs at `indexes` (kept in list order) to just before the tab that
// was at `destination`; a destination of tabs.size() means the end.
bool moveIndexes(QList<TabModel> &tabs, QList<qsizetype> indexes, qsizetype destination);

// Replaces stored keys that resolve to a more specific known key.
bool migrateIconKeys(QList<TabModel> &tabs);

// A new tab as the URL handler, palette and gallery add it.
TabModel makeTab(const QString &title, const QUrl &url, const QString &iconName, bool isAI, const QDateTime &now);

// Takes address, title and icon address that the tab's page reports.
bool applyWebMetadata(TabModel &tab, const QUrl &currentURL, const QString &title,
                      const std::optional<QUrl> &extractedIconURL);

} // namespace TabList
