#include "ui/PanelHeightToggle.h"

#include "state/SettingsModel.h"

namespace PanelHeightToggle {

void toggle(SettingsModel &settings, double visibleHeight)
{
    if (settings.values().panelCustomHeight) {
        settings.set(&Settings::panelCustomHeight, std::nullopt);
        settings.set(&Settings::panelTopOffset, std::nullopt);
        return;
    }
    const double height = detachedShare * visibleHeight;
    settings.set(&Settings::panelCustomHeight, height);
    settings.set(&Settings::panelTopOffset, (visibleHeight - height) / 2);
}

} // namespace PanelHeightToggle
