#include "state/PanelContent.h"

PanelContent::PanelContent(const ActiveSidebarItem &initialItem, QObject *parent)
    : QObject(parent), m_activeItem(initialItem)
{
}

void PanelContent::setActiveItem(const ActiveSidebarItem &item)
{
    m_activeItem = item;
    setFindingInPage(false);
    Q_EMIT activeItemChanged();
}

void PanelContent::setShowSettingsModal(bool value)
{
    m_showSettingsModal = value;
    Q_EMIT showSettingsModalChanged();
}

void PanelContent::setShowCommandPalette(bool value)
{
    m_showCommandPalette = value;
    Q_EMIT showCommandPaletteChanged();
}

void PanelContent::setShowAppGallery(bool value, GalleryCategory category)
{
    m_showAppGallery = value;
    m_appGalleryCategory = category;
    Q_EMIT showAppGalleryChanged();
}

void PanelContent::setPageFullScreen(bool value)
{
    if (m_isPageFullScreen == value)
        return;
    m_isPageFullScreen = value;
    Q_EMIT pageFullScreenChanged();
}

void PanelContent::setFindingInPage(bool value)
{
    if (m_isFindingInPage == value)
        return;
    m_isFindingInPage = value;
    Q_EMIT findingInPageChanged();
}
