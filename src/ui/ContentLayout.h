#pragma once

#include "theme/AppThemeMode.h"

#include <QUuid>

class PanelContent;

// What the panel's content column shows for the current state, and which of
// the rail's buttons light up.
struct ContentLayout
{
    enum class Screen { Settings, DropShelf, Scratchpad, WebTab };

    Screen screen = Screen::WebTab;
    bool showsHeader = false;
    bool showsAddressBar = false;
    bool showsPromptBar = false;
    bool showsFooter = false;
    // The web-tab screen without a tab to show.
    bool showsNoTabSelected = false;
    // Hidden, with the bars, while the shown page is in full screen.
    bool showsRail = true;

    bool operator==(const ContentLayout &) const = default;

    // `hasActiveTab`: the active item names a tab that exists.
    static ContentLayout of(const PanelContent &content, bool hasActiveTab);
};

namespace RailActivity {

enum class Button { Scratchpad, DropShelf, Settings };

// Nothing of the rail but the settings button is lit while settings are open.
bool isTabActive(const PanelContent &content, const QUuid &tabId);
bool isActive(const PanelContent &content, Button button);

} // namespace RailActivity

// How dark the scrim under an overlay is: lighter on light themes.
double scrimOpacity(AppThemeMode theme);
