#include "input/PanelCommands.h"

#include "input/CaptureAction.h"
#include "panel/OrvanePanel.h"
#include "state/AppState.h"
#include "web/HibernationEngine.h"

PanelCommands::PanelCommands(AppState &state, OrvanePanel &panel, HibernationEngine &hibernation,
                             CaptureAction &capture, QObject *parent)
    : QObject(parent), m_state(state), m_panel(panel), m_hibernation(hibernation), m_capture(capture)
{
}

void PanelCommands::togglePanel()
{
    m_panel.toggle();
}

void PanelCommands::capture()
{
    m_capture.run();
}

void PanelCommands::flipCommandPalette()
{
    if (m_state.isPanelVisible())
        m_state.content().setShowCommandPalette(!m_state.content().showCommandPalette());
}

void PanelCommands::flipSettings()
{
    if (m_state.isPanelVisible())
        m_state.content().setShowSettingsModal(!m_state.content().showSettingsModal());
}

void PanelCommands::showScratchpad()
{
    m_state.content().setActiveItem(ActiveSidebarItem::scratchpad());
}

void PanelCommands::showDropShelf()
{
    m_state.content().setActiveItem(ActiveSidebarItem::dropShelf());
}

void PanelCommands::selectTab(int index)
{
    const QList<TabModel> &tabs = m_state.tabs().tabs();
    if (index >= 0 && index < tabs.size())
        m_state.tabs().selectTab(tabs.at(index).id);
}

void PanelCommands::closeActiveTab()
{
    if (const auto tab = m_state.tabs().activeTab())
        m_state.tabs().removeTab(tab->id);
}

void PanelCommands::reloadActiveTab()
{
    if (const auto tab = m_state.tabs().activeTab())
        m_hibernation.reload(*tab);
}

bool PanelCommands::showsWebTab() const
{
    return m_state.tabs().activeTab() && !m_state.content().showSettingsModal() && !m_state.content().showAppGallery();
}

void PanelCommands::zoomActiveTab(TabListModel::Zoom change)
{
    if (const auto tab = m_state.tabs().activeTab())
        m_state.tabs().zoomTab(tab->id, change);
}

void PanelCommands::findInPage()
{
    if (showsWebTab())
        m_state.content().setFindingInPage(true);
}

bool PanelCommands::canUndoNotice() const
{
    return m_state.notice().isUndoOffer();
}

void PanelCommands::undoNotice()
{
    if (canUndoNotice())
        m_state.notice().press();
}

// A page in full screen leaves it first; then the find field, which gives the
// keyboard back to the page; then a staged context, as the prompt
// bar's dismiss button (Esc) promises; then what is on top: the palette, the gallery, the settings, and
// last the panel itself.
void PanelCommands::escape()
{
    PanelContent &content = m_state.content();
    if (content.isPageFullScreen())
        m_hibernation.exitFullScreen();
    else if (content.isFindingInPage() && !content.showCommandPalette())
        content.setFindingInPage(false);
    else if (m_state.capturedContext())
        m_state.setCapturedContext(std::nullopt);
    else if (content.showCommandPalette())
        content.setShowCommandPalette(false);
    else if (content.showAppGallery())
        content.setShowAppGallery(false);
    else if (content.showSettingsModal())
        content.setShowSettingsModal(false);
    else
        m_panel.hidePanel(true);
}

void PanelCommands::openCommandPalette()
{
    m_state.content().setShowCommandPalette(true);
    m_panel.showPanel(true);
}

void PanelCommands::openScratchpad()
{
    showScratchpad();
    m_panel.showPanel(true);
}

void PanelCommands::openDropShelf()
{
    showDropShelf();
    m_panel.showPanel(true);
}

void PanelCommands::openTab(const QUuid &id)
{
    m_state.content().setShowSettingsModal(false);
    m_state.tabs().selectTab(id);
    m_panel.showPanel(true);
}

void PanelCommands::hibernateInactiveTabs()
{
    m_hibernation.hibernateAllInactive();
}

// Saving the new edge rebuilds the edge windows and moves the panel.
void PanelCommands::flipDockEdge()
{
    const bool right = m_state.settings().values().screenDockEdge == ScreenDockEdge::Right;
    m_state.settings().set(&Settings::screenDockEdge, right ? ScreenDockEdge::Left : ScreenDockEdge::Right);
}

void PanelCommands::quit()
{
    Q_EMIT quitRequested();
}
