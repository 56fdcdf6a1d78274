#include "shelf/DropShelfModel.h"

#include "state/PanelContent.h"

DropShelfModel::DropShelfModel(PanelContent &content, QObject *parent) : QObject(parent), m_content(content) {}

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
    m_items.clear();
    Q_EMIT changed();
}
