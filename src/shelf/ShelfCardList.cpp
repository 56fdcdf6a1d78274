#include "shelf/ShelfCardList.h"

#include "shelf/DashedFrame.h"
#include "shelf/StagedItemCardView.h"

#include <QScrollBar>
#include <QSet>

#include <algorithm>

namespace {
constexpr int sideMargin = 12;
constexpr int topMargin = 4;
constexpr int bottomMargin = 8;
constexpr int stripHeight = 44;
} // namespace

ShelfCardList::ShelfCardList(AppState &state, Clock &clock, ThumbnailLoader &thumbnails, QWidget *parent)
    : QScrollArea(parent)
    , m_state(state)
    , m_clock(clock)
    , m_thumbnails(thumbnails)
    , m_canvas(new QWidget)
    , m_strip(new DashedFrame(m_canvas))
{
    setAccessibleName(QStringLiteral("Staged items"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    setWidget(m_canvas);
    // QScrollArea fills what it is given; the shelf's own background shows through.
    m_canvas->setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(cardHeight / 2);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &ShelfCardList::placeCards);
}

void ShelfCardList::setItems(const QList<DropItem> &items)
{
    m_items = items;
    // A record never changes, so a card made for it stays right for it.
    QSet<QUuid> ids;
    for (const DropItem &item : items)
        ids.insert(item.id);
    for (auto it = m_made.begin(); it != m_made.end();) {
        if (ids.contains(it.key())) {
            ++it;
        } else {
            retire(it.value());
            it = m_made.erase(it);
        }
    }
    // Cards are made when the list is seen (see showEvent).
    if (isVisible())
        placeCards();
}

QList<StagedItemCardView *> ShelfCardList::cards() const
{
    QList<StagedItemCardView *> ordered;
    for (const DropItem &item : m_items) {
        if (StagedItemCardView *card = m_made.value(item.id))
            ordered.append(card);
    }
    return ordered;
}

int ShelfCardList::top(qsizetype index) const
{
    return topMargin + int(index) * (cardHeight + spacing);
}

void ShelfCardList::placeCards()
{
    const int width = viewport()->width();
    const int stripTop = top(m_items.size());
    m_canvas->resize(width, stripTop + stripHeight + bottomMargin);
    m_strip->setGeometry(sideMargin, stripTop, width - 2 * sideMargin, stripHeight);

    // What is in view, and a screen's height above and below it.
    const int viewTop = verticalScrollBar()->value();
    const int screen = std::max(viewport()->height(), cardHeight);
    const int row = cardHeight + spacing;
    const qsizetype first = std::max(0, (viewTop - screen - topMargin) / row);
    const qsizetype last = std::min(m_items.size() - 1, qsizetype((viewTop + 2 * screen) / row));
    QHash<QUuid, StagedItemCardView *> near;
    for (qsizetype i = first; i <= last; ++i) {
        const DropItem &item = m_items.at(i);
        StagedItemCardView *card = m_made.take(item.id);
        if (!card)
            card = new StagedItemCardView(item, m_state, m_clock, m_thumbnails, m_canvas);
        card->setGeometry(sideMargin, top(i), width - 2 * sideMargin, cardHeight);
        card->show();
        near.insert(item.id, card);
    }
    for (StagedItemCardView *far : std::as_const(m_made))
        retire(far);
    m_made = std::move(near);
}

// A card whose record goes while it is being dragged out (the minute's
// expiry, a URL command) stays, hidden, until its drag is over.
void ShelfCardList::retire(StagedItemCardView *card)
{
    if (!card->isBeingDragged()) {
        delete card;
        return;
    }
    card->hide();
    connect(card, &StagedItemCardView::dragFinished, card, &QObject::deleteLater);
}

void ShelfCardList::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    placeCards();
}

void ShelfCardList::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    placeCards();
}
