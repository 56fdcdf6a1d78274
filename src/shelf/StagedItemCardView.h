#pragma once

#include "shelf/DropItem.h"
#include "ui/TransientFlag.h"

#include <QImage>
#include <QWidget>

class AppState;
class Clock;
class ElidingLabel;
class SymbolButton;
class SymbolTextButton;
class ThumbnailLoader;

// One staged record on the shelf: its picture or kind, its title and size,
// and copy, open or show, and remove. The whole card drags out into other
// applications as the record's file and text.
class StagedItemCardView final : public QWidget
{
    Q_OBJECT

public:
    static constexpr int previewSide = 35;
    static constexpr double copyFeedbackSeconds = 1.8;

    StagedItemCardView(const DropItem &item, AppState &state, Clock &clock, ThumbnailLoader &thumbnails,
                       QWidget *parent = nullptr);

    const DropItem &item() const { return m_item; }
    bool hasThumbnail() const { return !m_thumbnail.isNull(); }
    // While it is, the card must live: the drag runs inside it.
    bool isBeingDragged() const { return m_isBeingDragged; }

Q_SIGNALS:
    void dragFinished();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void copy();
    void openOrReveal();
    void refresh();

    DropItem m_item;
    AppState &m_state;
    ThumbnailLoader &m_thumbnails;
    TransientFlag m_copied;
    QWidget *m_preview;
    ElidingLabel *m_title;
    ElidingLabel *m_size;
    SymbolTextButton *m_copy;
    SymbolButton *m_link = nullptr;
    SymbolButton *m_remove;
    QImage m_thumbnail;
    bool m_thumbnailRequested = false;
    QPoint m_pressPosition;
    bool m_pressed = false;
    bool m_isBeingDragged = false;
};
