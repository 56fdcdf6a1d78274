#pragma once

#include "shelf/DropItem.h"

#include <QObject>

class PanelContent;

// The items staged on the drop shelf, newest first.
class DropShelfModel final : public QObject
{
    Q_OBJECT

public:
    explicit DropShelfModel(PanelContent &content, QObject *parent = nullptr);

    const QList<DropItem> &items() const { return m_items; }
    // Replaces the list as it is, without showing the shelf.
    void setItems(const QList<DropItem> &items);
    // Puts the items in front and shows the shelf.
    void addDropItems(const QList<DropItem> &items);
    void removeDropItem(const QUuid &id);
    void clearDropShelf();

Q_SIGNALS:
    void changed();

private:
    PanelContent &m_content;
    QList<DropItem> m_items;
};
