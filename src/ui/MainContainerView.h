#pragma once

#include "ui/ContentLayout.h"

#include <QWidget>

class AppState;
class HibernationEngine;
class OrvanePanel;
class OverlayHost;
class PageAreaView;
class QBoxLayout;
class QNetworkAccessManager;
class QStackedWidget;
class QVBoxLayout;
class SidebarDockView;
class StatusFooterView;
class TopHeaderBarView;
class AddressBarView;

// The panel's root: the icon rail on its side, the content column chosen by
// the state (a web tab with its bars, the scratchpad, the shelf or the
// settings), and the overlays (command palette, app gallery) on a scrim.
// Screens are placed into their slots by whoever builds them.
class MainContainerView final : public QWidget
{
    Q_OBJECT

public:
    MainContainerView(AppState &state, HibernationEngine &engine, OrvanePanel &panel, QNetworkAccessManager &network,
                      QWidget *parent = nullptr);

    // The screen shown for the scratchpad, the shelf or the settings; the
    // container takes ownership and replaces what the slot held.
    void setScreen(ContentLayout::Screen screen, QWidget *view);
    // The bar above a web tab's page.
    void setPromptBar(QWidget *bar);
    OverlayHost &commandPalette() const { return *m_palette; }
    OverlayHost &gallery() const { return *m_gallery; }

    SidebarDockView &rail() const { return *m_rail; }
    PageAreaView &pageArea() const { return *m_page; }
    ContentLayout layout() const { return m_layout; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void refresh();
    void placeRail();
    void toggleHeight();

    AppState &m_state;
    OrvanePanel &m_panel;
    QBoxLayout *m_row;
    SidebarDockView *m_rail;
    QWidget *m_column;
    TopHeaderBarView *m_header;
    AddressBarView *m_address;
    QWidget *m_promptBarSlot;
    QStackedWidget *m_screens;
    PageAreaView *m_page;
    QWidget *m_scratchpad;
    QWidget *m_shelf;
    QWidget *m_settings;
    StatusFooterView *m_footer;
    OverlayHost *m_gallery;
    OverlayHost *m_palette;
    ContentLayout m_layout;
};
