#pragma once

#include "shelf/DropItem.h"

#include <QHash>
#include <QScrollArea>
#include <QUuid>

class AppState;
class Clock;
class DashedFrame;
class StagedItemCardView;
class ThumbnailLoader;

// The shelf's cards in a scrolling column, newest first, with the "DROP TO
// ADD" strip after the last. Cards are made only for the records in view and
// a screen's height around them, so a shelf of hundreds opens and scrolls as
// quickly as a short one; a card keeps its state while it stays near.
class ShelfCardList final : public QScrollArea
{
    Q_OBJECT

public:
    static constexpr int cardHeight = 52;
    static constexpr int spacing = 8;

    ShelfCardList(AppState &state, Clock &clock, ThumbnailLoader &thumbnails, QWidget *parent = nullptr);

    void setItems(const QList<DropItem> &items);
    // The cards made now, in shelf order.
    QList<StagedItemCardView *> cards() const;
    DashedFrame &strip() const { return *m_strip; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void placeCards();
    int top(qsizetype index) const;
    static void retire(StagedItemCardView *card);

    AppState &m_state;
    Clock &m_clock;
    ThumbnailLoader &m_thumbnails;
    QWidget *m_canvas;
    DashedFrame *m_strip;
    QList<DropItem> m_items;
    QHash<QUuid, StagedItemCardView *> m_made;
};
