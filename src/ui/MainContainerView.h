#pragma once

#include "ui/ContentLayout.h"

#include <QWidget>

#include <functional>
#include <map>

class AppState;
class HibernationEngine;
class NoticeBarView;
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
// settings) above the notice bar and the footer, and the overlays (command palette, app gallery) on a scrim.
// Screens are placed into their slots by whoever builds them; the scratchpad,
// the shelf and the settings are built only when first shown.
class MainContainerView final : public QWidget
{
    Q_OBJECT

public:
    MainContainerView(AppState &state, HibernationEngine &engine, OrvanePanel &panel, QNetworkAccessManager &network,
                      QWidget *parent = nullptr);

    using ScreenFactory = std::function<QWidget *()>;
    // How to make the screen shown for the scratchpad, the shelf or the
    // settings. The container calls it when that screen first shows, and
    // owns what it returns.
    void setScreen(ContentLayout::Screen screen, ScreenFactory make);
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
    // The slot's view, made now if it has not been yet.
    QWidget *screenView(ContentLayout::Screen screen);
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
    NoticeBarView *m_notice;
    PageAreaView *m_page;
    QWidget *m_scratchpad;
    QWidget *m_shelf;
    QWidget *m_settings;
    StatusFooterView *m_footer;
    OverlayHost *m_gallery;
    OverlayHost *m_palette;
    std::map<ContentLayout::Screen, ScreenFactory> m_unbuiltScreens;
    ContentLayout m_layout;
};
