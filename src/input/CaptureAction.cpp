#include "input/CaptureAction.h"

#include "panel/OrvanePanel.h"
#include "state/AppState.h"

#include <algorithm>

CaptureAction::CaptureAction(AppState &state, OrvanePanel &panel) : m_state(state), m_panel(panel) {}

void CaptureAction::run()
{
    TabListModel &tabs = m_state.tabs();
    const QList<TabModel> &list = tabs.tabs();
    const auto ai = std::find_if(list.cbegin(), list.cend(), [](const TabModel &tab) { return tab.isAIProvider; });
    if (ai != list.cend())
        tabs.selectTab(ai->id);
    m_panel.showPanel(true);
}
