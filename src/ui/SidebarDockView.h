#pragma once

#include "shelf/DropStager.h"
#include "ui/RailReorder.h"

#include <QWidget>

class AppState;
class HibernationEngine;
class QNetworkAccessManager;
class QScrollArea;
class RailTabButton;
class SymbolButton;

// The icon rail: the logo, a button per tab (Ctrl-drag to reorder, a context
// menu each), the plus button, and the scratchpad, shelf and settings buttons.
// The shelf button takes drops.
class SidebarDockView final : public QWidget
{
    Q_OBJECT

public:
    SidebarDockView(AppState &state, HibernationEngine &engine, QNetworkAccessManager &network, QWidget *parent = nullptr);

    // The tab slots in rail order, for tests and accessibility walks.
    QList<RailTabButton *> tabButtons() const { return m_slots; }
    // Set by the container: which side of the rail faces the content.
    void setInnerEdge(Qt::Edge edge);

    QSize sizeHint() const override;

Q_SIGNALS:
    void galleryRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void syncTabs();
    void syncActivity();
    void placeSlots();
    void showContextMenu(int slot, const QPoint &position);
    bool tabSlotDragEvent(qsizetype slot, QEvent *event);
    void settleDraggedSlot();

    AppState &m_state;
    HibernationEngine &m_engine;
    QNetworkAccessManager &m_network;
    QWidget *m_column;
    QScrollArea *m_scroll;
    QList<RailTabButton *> m_slots;
    SymbolButton *m_plus;
    RailTabButton *m_scratchpad;
    RailTabButton *m_shelf;
    RailTabButton *m_settings;
    RailReorder m_reorder;
    DropStager m_stager;
    // The offset a released slot springs back from.
    double m_settlingOffset = 0;
    std::optional<QUuid> m_settlingTab;
    Qt::Edge m_innerEdge = Qt::RightEdge;
};
