#pragma once

#include "shelf/DropItem.h"

#include <QObject>

class PanelContent;
class PanelNotice;

// The items staged on the drop shelf, newest first.
class DropShelfModel final : public QObject
{
    Q_OBJECT

public:
    DropShelfModel(PanelContent &content, PanelNotice &notice, QObject *parent = nullptr);

    const QList<DropItem> &items() const { return m_items; }
    // Replaces the list as it is, without showing the shelf.
    void setItems(const QList<DropItem> &items);
    // Puts the items in front and shows the shelf.
    void addDropItems(const QList<DropItem> &items);
    void removeDropItem(const QUuid &id);
    // Offers to undo; the snippet files Orvane wrote for the items are
    // deleted only when the offer lapses.
    void clearDropShelf();

Q_SIGNALS:
    void changed();

private:
    PanelContent &m_content;
    PanelNotice &m_notice;
    QList<DropItem> m_items;
};
