#include "shelf/DropShelfModel.h"

#include "shelf/DropShelfStorage.h"
#include "state/PanelContent.h"
#include "state/PanelNotice.h"

#include <utility>

DropShelfModel::DropShelfModel(PanelContent &content, PanelNotice &notice, QObject *parent)
    : QObject(parent), m_content(content), m_notice(notice)
{
}

void DropShelfModel::setItems(const QList<DropItem> &items)
{
    m_items = items;
    Q_EMIT changed();
}

void DropShelfModel::addDropItems(const QList<DropItem> &items)
{
    m_items = items + m_items;
    Q_EMIT changed();
    m_content.setShowSettingsModal(false);
    m_content.setActiveItem(ActiveSidebarItem::dropShelf());
}

void DropShelfModel::removeDropItem(const QUuid &id)
{
    m_items.removeIf([&](const DropItem &item) { return item.id == id; });
    Q_EMIT changed();
}

void DropShelfModel::clearDropShelf()
{
    if (m_items.isEmpty())
        return;
    const QList<DropItem> cleared = std::exchange(m_items, {});
    Q_EMIT changed();
    m_notice.offerUndo(
        QStringLiteral("Cleared the shelf"),
        [this, cleared] {
            m_items = cleared + m_items;
            Q_EMIT changed();
        },
        [this, cleared] { DropShelfStorage::removeOwnSnippets(cleared, m_items); });
}
