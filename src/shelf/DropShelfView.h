#pragma once

#include "shelf/DropStager.h"
#include "shelf/ThumbnailLoader.h"

#include <QWidget>


class AppState;
class Clock;
class DashedFrame;
class ElidingLabel;
class KeyValueStore;
class OrvanePanel;
class QLabel;
class ShelfCardList;
class StagedItemCardView;
class SymbolLabel;
class SymbolTextButton;

// The drop shelf screen: takes drops of files, links and text anywhere on it,
// lists what is staged as cards (newest first) that drag out into other
// applications. The shelf it shows is kept across runs by the launch, not by
// this screen, which may never be made in a run.
class DropShelfView final : public QWidget
{
    Q_OBJECT

public:
    DropShelfView(AppState &state, OrvanePanel &panel, KeyValueStore &store, Clock &clock, QWidget *parent = nullptr);

    QList<StagedItemCardView *> cards() const;
    QString captionText() const;
    bool isTargeted() const { return m_isTargeted; }

    // "Choose files" and "+": several files, no folders, added in one go.
    void chooseFiles();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QWidget *makeEmptyState();
    QWidget *makeFooter();
    void makeOverlay();
    void setTargeted(bool targeted);
    void refresh();

    AppState &m_state;
    KeyValueStore &m_store;
    Clock &m_clock;
    ThumbnailLoader m_thumbnails;
    DropStager m_stager;
    ElidingLabel *m_title = nullptr;
    ElidingLabel *m_caption = nullptr;
    SymbolTextButton *m_clearAll = nullptr;
    DashedFrame *m_empty = nullptr;
    QList<QLabel *> m_emptyTexts;
    SymbolTextButton *m_choose = nullptr;
    ShelfCardList *m_list = nullptr;
    SymbolLabel *m_stripSymbol = nullptr;
    QLabel *m_stripText = nullptr;
    ElidingLabel *m_footerNote = nullptr;
    SymbolLabel *m_clockSymbol = nullptr;
    ElidingLabel *m_clears = nullptr;
    DashedFrame *m_overlay = nullptr;
    SymbolLabel *m_overlaySymbol = nullptr;
    QLabel *m_overlayText = nullptr;
    bool m_hasAppeared = false;
    bool m_isTargeted = false;
};
