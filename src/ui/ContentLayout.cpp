#include "ui/ContentLayout.h"

#include "state/PanelContent.h"

ContentLayout ContentLayout::of(const PanelContent &content, bool hasActiveTab)
{
    ContentLayout layout;
    if (content.showSettingsModal()) {
        layout.screen = Screen::Settings;
        return layout;
    }
    layout.showsFooter = true;
    switch (content.activeItem().kind()) {
    case ActiveSidebarItem::Kind::DropShelf:
        layout.screen = Screen::DropShelf;
        break;
    case ActiveSidebarItem::Kind::Scratchpad:
        layout.screen = Screen::Scratchpad;
        break;
    case ActiveSidebarItem::Kind::WebTab:
        layout.screen = Screen::WebTab;
        layout.showsHeader = true;
        layout.showsAddressBar = true;
        layout.showsPromptBar = true;
        layout.showsNoTabSelected = !hasActiveTab;
        if (hasActiveTab && content.isPageFullScreen()) {
            layout.showsHeader = layout.showsAddressBar = layout.showsPromptBar = layout.showsFooter = false;
            layout.showsRail = false;
        }
        break;
    }
    return layout;
}

namespace RailActivity {

bool isTabActive(const PanelContent &content, const QUuid &tabId)
{
    return !content.showSettingsModal() && content.activeItem() == ActiveSidebarItem::webTab(tabId);
}

bool isActive(const PanelContent &content, Button button)
{
    switch (button) {
    case Button::Settings:
        return content.showSettingsModal();
    case Button::Scratchpad:
        return !content.showSettingsModal() && content.activeItem() == ActiveSidebarItem::scratchpad();
    case Button::DropShelf:
        return !content.showSettingsModal() && content.activeItem() == ActiveSidebarItem::dropShelf();
    }
    return false;
}

} // namespace RailActivity

double scrimOpacity(AppThemeMode theme)
{
    return isLight(theme) ? 0.25 : 0.55;
}
