#include "ui/MainContainerView.h"

#include "panel/OrvanePanel.h"
#include "state/AppState.h"
#include "ui/AddressBarView.h"
#include "ui/NoticeBarView.h"
#include "ui/OverlayHost.h"
#include "ui/PageAreaView.h"
#include "ui/PanelHeightToggle.h"
#include "ui/SidebarDockView.h"
#include "ui/StatusFooterView.h"
#include "ui/ThemedToolTips.h"
#include "ui/TopHeaderBarView.h"

#include <QBoxLayout>
#include <QLabel>
#include <QStackedWidget>

namespace {
// What a screen's slot holds until its screen is placed there.
QWidget *emptyScreen(const QString &name)
{
    auto *label = new QLabel(name);
    label->setAlignment(Qt::AlignCenter);
    label->setAccessibleName(name);
    return label;
}
} // namespace

MainContainerView::MainContainerView(AppState &state, HibernationEngine &engine, OrvanePanel &panel,
                                     QNetworkAccessManager &network, QWidget *parent)
    : QWidget(parent)
    , m_state(state)
    , m_panel(panel)
    , m_row(new QBoxLayout(QBoxLayout::LeftToRight, this))
    , m_rail(new SidebarDockView(state, engine, network, this))
    , m_column(new QWidget(this))
    , m_header(new TopHeaderBarView(state, engine, panel, m_column))
    , m_address(new AddressBarView(state, engine, panel, m_column))
    , m_promptBarSlot(new QWidget(m_column))
    , m_screens(new QStackedWidget(m_column))
    , m_notice(new NoticeBarView(state.notice(), state.settings(), m_column))
    , m_page(new PageAreaView(state, engine, m_screens))
    , m_scratchpad(emptyScreen(QStringLiteral("Scratchpad")))
    , m_shelf(emptyScreen(QStringLiteral("Drop Shelf")))
    , m_settings(emptyScreen(QStringLiteral("Settings")))
    , m_footer(new StatusFooterView(state, m_column))
    , m_gallery(new OverlayHost(state.settings(), this))
    , m_palette(new OverlayHost(state.settings(), this))
{
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(0);
    m_row->addWidget(m_rail);
    m_row->addWidget(m_column, 1);

    auto *promptBarLayout = new QVBoxLayout(m_promptBarSlot);
    promptBarLayout->setContentsMargins(0, 0, 0, 0);
    for (QWidget *screen : {static_cast<QWidget *>(m_page), m_scratchpad, m_shelf, m_settings})
        m_screens->addWidget(screen);
    auto *column = new QVBoxLayout(m_column);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_header);
    column->addWidget(m_address);
    column->addWidget(m_promptBarSlot);
    column->addWidget(m_screens, 1);
    column->addWidget(m_notice);
    column->addWidget(m_footer);

    connect(m_rail, &SidebarDockView::galleryRequested, this, [this] { m_state.content().setShowAppGallery(true); });
    connect(m_gallery, &OverlayHost::dismissRequested, this, [this] { m_state.content().setShowAppGallery(false); });
    connect(m_palette, &OverlayHost::dismissRequested, this,
            [this] { m_state.content().setShowCommandPalette(false); });
    connect(m_header, &WindowDragArea::heightToggleRequested, this, &MainContainerView::toggleHeight);
    new ThemedToolTips(state.settings(), this);

    const PanelContent &content = m_state.content();
    connect(&content, &PanelContent::activeItemChanged, this, &MainContainerView::refresh);
    connect(&content, &PanelContent::showSettingsModalChanged, this, &MainContainerView::refresh);
    connect(&content, &PanelContent::showCommandPaletteChanged, this, &MainContainerView::refresh);
    connect(&content, &PanelContent::showAppGalleryChanged, this, &MainContainerView::refresh);
    connect(&content, &PanelContent::pageFullScreenChanged, this, &MainContainerView::refresh);
    connect(&m_state.tabs(), &TabListModel::changed, this, &MainContainerView::refresh);
    connect(&m_state.settings(), &SettingsModel::changed, this, &MainContainerView::placeRail);
    placeRail();
    refresh();
}

void MainContainerView::setScreen(ContentLayout::Screen screen, ScreenFactory make)
{
    m_unbuiltScreens[screen] = std::move(make);
    // The screen on show is needed now.
    refresh();
}

QWidget *MainContainerView::screenView(ContentLayout::Screen screen)
{
    QWidget **slot = screen == ContentLayout::Screen::Scratchpad  ? &m_scratchpad
                     : screen == ContentLayout::Screen::DropShelf ? &m_shelf
                     : screen == ContentLayout::Screen::Settings  ? &m_settings
                                                                  : nullptr;
    if (!slot)
        return m_page;
    const auto unbuilt = m_unbuiltScreens.find(screen);
    if (unbuilt == m_unbuiltScreens.end())
        return *slot;
    const ScreenFactory make = std::move(unbuilt->second);
    m_unbuiltScreens.erase(unbuilt);
    QWidget *view = make();
    const int index = m_screens->indexOf(*slot);
    m_screens->removeWidget(*slot);
    delete *slot;
    *slot = view;
    m_screens->insertWidget(index, view);
    // A screen's drag handles switch the panel's height as the header's does.
    for (const WindowDragArea *handle : view->findChildren<WindowDragArea *>())
        connect(handle, &WindowDragArea::heightToggleRequested, this, &MainContainerView::toggleHeight);
    return view;
}

void MainContainerView::setPromptBar(QWidget *bar)
{
    m_promptBarSlot->layout()->addWidget(bar);
}

void MainContainerView::placeRail()
{
    const bool railLeft = m_state.settings().effectiveRailSide() == PanelEdge::Left;
    m_row->setDirection(railLeft ? QBoxLayout::LeftToRight : QBoxLayout::RightToLeft);
    m_rail->setInnerEdge(railLeft ? Qt::RightEdge : Qt::LeftEdge);
}

void MainContainerView::refresh()
{
    m_layout = ContentLayout::of(m_state.content(), m_state.tabs().activeTab().has_value());
    m_header->setVisible(m_layout.showsHeader);
    m_address->setVisible(m_layout.showsAddressBar);
    m_promptBarSlot->setVisible(m_layout.showsPromptBar);
    m_footer->setVisible(m_layout.showsFooter);
    m_rail->setVisible(m_layout.showsRail);
    m_screens->setCurrentWidget(screenView(m_layout.screen));
    m_gallery->setOpen(m_state.content().showAppGallery());
    m_palette->setOpen(m_state.content().showCommandPalette());
}

void MainContainerView::toggleHeight()
{
    const auto screen = m_panel.panelScreen();
    if (!screen)
        return;
    PanelHeightToggle::toggle(m_state.settings(), screen->visibleFrame.height());
    m_panel.updatePanelPosition();
}

void MainContainerView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    for (OverlayHost *overlay : {m_gallery, m_palette}) {
        if (overlay->isVisible())
            overlay->setGeometry(rect());
    }
}
