#pragma once

#include <QHashFunctions>
#include <QString>
#include <QUuid>

// What the panel's content area shows: a web tab, the scratchpad or the shelf.
class ActiveSidebarItem
{
public:
    enum class Kind { WebTab, Scratchpad, DropShelf };

    static ActiveSidebarItem webTab(const QUuid &tabId) { return {Kind::WebTab, tabId}; }
    static ActiveSidebarItem scratchpad() { return {Kind::Scratchpad, {}}; }
    static ActiveSidebarItem dropShelf() { return {Kind::DropShelf, {}}; }

    Kind kind() const { return m_kind; }
    bool isWebTab() const { return m_kind == Kind::WebTab; }
    // The tab's id for a web tab; null otherwise.
    QUuid tabId() const { return m_tabId; }
    // "tab_<UUID>", "scratchpad" or "dropshelf".
    QString id() const;

    bool operator==(const ActiveSidebarItem &) const = default;

private:
    ActiveSidebarItem(Kind kind, const QUuid &tabId) : m_kind(kind), m_tabId(tabId) {}

    Kind m_kind;
    QUuid m_tabId;
};

inline size_t qHash(const ActiveSidebarItem &item, size_t seed = 0)
{
    return qHashMulti(seed, int(item.kind()), item.tabId());
}
