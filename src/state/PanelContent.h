#pragma once

#include "state/ActiveSidebarItem.h"

#include <QObject>

// Which of its apps the gallery lists when it opens: all of them, or only
// those that answer prompts, for a panel that has no AI tab yet.
enum class GalleryCategory { AllApps, AIApps };

// What the panel's content area shows: the active sidebar item, and the
// settings screen, app gallery and command palette over it. Nothing here is
// persisted.
class PanelContent final : public QObject
{
    Q_OBJECT

public:
    explicit PanelContent(const ActiveSidebarItem &initialItem, QObject *parent = nullptr);

    const ActiveSidebarItem &activeItem() const { return m_activeItem; }
    void setActiveItem(const ActiveSidebarItem &item);
    bool showSettingsModal() const { return m_showSettingsModal; }
    void setShowSettingsModal(bool value);
    bool showCommandPalette() const { return m_showCommandPalette; }
    void setShowCommandPalette(bool value);
    bool showAppGallery() const { return m_showAppGallery; }
    GalleryCategory appGalleryCategory() const { return m_appGalleryCategory; }
    void setShowAppGallery(bool value, GalleryCategory category = GalleryCategory::AllApps);
    // The shown tab's page is in full screen (a video's button): it fills
    // the panel, without the rail and bars.
    bool isPageFullScreen() const { return m_isPageFullScreen; }
    void setPageFullScreen(bool value);
    // The find field stands in the address bar's place. It belongs to the
    // page it was opened on: showing another item closes it.
    bool isFindingInPage() const { return m_isFindingInPage; }
    void setFindingInPage(bool value);

Q_SIGNALS:
    void activeItemChanged();
    void showSettingsModalChanged();
    void showCommandPaletteChanged();
    void showAppGalleryChanged();
    void pageFullScreenChanged();
    void findingInPageChanged();

private:
    ActiveSidebarItem m_activeItem;
    bool m_showSettingsModal = false;
    bool m_showCommandPalette = false;
    bool m_showAppGallery = false;
    GalleryCategory m_appGalleryCategory = GalleryCategory::AllApps;
    bool m_isPageFullScreen = false;
    bool m_isFindingInPage = false;
};
