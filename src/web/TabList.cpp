#include "web/TabList.h"

#include "icons/IconKeyResolver.h"

#include <algorithm>

namespace {
bool isAIKey(const QString &key)
{
    return key == QLatin1String("claude") || key == QLatin1String("chatgpt") || key == QLatin1String("perplexity");
}

// A resolved key replaces the current one only when it names a specific icon.
bool isBetterKey(const QString &resolved, const QString &current)
{
    return resolved != current && !IconKeyResolver::isGenericKey(resolved);
}
} // namespace

namespace TabList {

qsizetype indexOf(const QList<TabModel> &tabs, const QUuid &id)
{
    const auto it = std::find_if(tabs.cbegin(), tabs.cend(), [&](const TabModel &tab) { return tab.id == id; });
    return it == tabs.cend() ? -1 : it - tabs.cbegin();
}

bool moveUp(QList<TabModel> &tabs, const QUuid &id)
{
    const qsizetype index = indexOf(tabs, id);
    if (index <= 0)
        return false;
    tabs.swapItemsAt(index, index - 1);
    return true;
}

bool moveDown(QList<TabModel> &tabs, const QUuid &id)
{
    const qsizetype index = indexOf(tabs, id);
    if (index < 0 || index >= tabs.size() - 1)
        return false;
    tabs.swapItemsAt(index, index + 1);
    return true;
}

bool reorder(QList<TabModel> &tabs, const QUuid &from, const QUuid &to)
{
    if (from == to)
        return false;
    const qsizetype source = indexOf(tabs, from);
    const qsizetype target = indexOf(tabs, to);
    if (source < 0 || target < 0)
        return false;
    TabModel moved = tabs.takeAt(source);
    tabs.insert(target, std::move(moved));
    return true;
}

bool moveIndexes(QList<TabModel> &tabs, QList<qsizetype> indexes, qsizetype destination)
{
    std::sort(indexes.begin(), indexes.end());
    indexes.erase(std::unique(indexes.begin(), indexes.end()), indexes.end());
    if (indexes.isEmpty() || indexes.first() < 0 || indexes.last() >= tabs.size() || destination < 0
        || destination > tabs.size()) {
        return false;
    }
    const QList<TabModel> before = tabs;
    QList<TabModel> moved;
    for (auto it = indexes.crbegin(); it != indexes.crend(); ++it)
        moved.prepend(tabs.takeAt(*it));
    const auto movedBefore = std::count_if(indexes.cbegin(), indexes.cend(), [&](qsizetype i) { return i < destination; });
    const qsizetype insertAt = destination - movedBefore;
    for (qsizetype i = 0; i < moved.size(); ++i)
        tabs.insert(insertAt + i, moved.at(i));
    return tabs != before;
}

bool migrateIconKeys(QList<TabModel> &tabs)
{
    bool changed = false;
    for (TabModel &tab : tabs) {
        const QString trimmed = tab.iconKey.trimmed();
        const QString resolved = IconKeyResolver::resolveKey(trimmed, tab.title, tab.url);
        // A key that only needed trimming and resolves to itself stays as stored.
        if (isBetterKey(resolved, trimmed)) {
            tab.iconKey = resolved;
            changed = true;
        }
    }
    return changed;
}

TabModel makeTab(const QString &title, const QUrl &url, const QString &iconName, bool isAI, const QDateTime &now)
{
    const QString givenKey = IconKeyResolver::isGenericKey(iconName) ? QString() : iconName;
    TabModel tab;
    tab.id = QUuid::createUuid();
    tab.title = title;
    tab.url = url;
    tab.iconKey = IconKeyResolver::resolveKey(givenKey, title, url);
    // A title may choose the icon, but a page titled "Claude Monet" is no AI service.
    tab.isAIProvider = isAI || isAIKey(IconKeyResolver::resolveKey(givenKey, QString(), url));
    tab.lastActiveDate = now;
    return tab;
}

bool applyWebMetadata(TabModel &tab, const QUrl &currentURL, const QString &title,
                      const std::optional<QUrl> &extractedIconURL)
{
    bool changed = false;
    if (tab.url != currentURL) {
        tab.url = currentURL;
        changed = true;
    }
    const QString pageTitle = title.trimmed();
    const bool titleIsPlaceholder = tab.title == QLatin1String("Web") || tab.title == tab.url.host() || tab.title.isEmpty();
    if (!pageTitle.isEmpty() && titleIsPlaceholder && tab.title != pageTitle) {
        tab.title = pageTitle;
        changed = true;
    }
    const QString resolved = IconKeyResolver::resolveKey(tab.iconKey, tab.title, currentURL);
    if (isBetterKey(resolved, tab.iconKey)) {
        tab.iconKey = resolved;
        changed = true;
    }
    if (extractedIconURL && extractedIconURL != tab.iconURL) {
        tab.iconURL = extractedIconURL;
        changed = true;
    }
    return changed;
}

} // namespace TabList
