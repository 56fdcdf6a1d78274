#include "input/CaptureAction.h"

#include "ai/ContextDetector.h"
#include "panel/OrvanePanel.h"
#include "state/AppState.h"

#include <QScopedValueRollback>

#include <algorithm>

CaptureAction::CaptureAction(AppState &state, OrvanePanel &panel, ContextDetector &detector)
    : m_state(state), m_panel(panel), m_detector(detector)
{
}

void CaptureAction::run()
{
    if (m_running)
        return;
    const QScopedValueRollback running(m_running, true);
    if (const std::optional<CapturedContext> context = m_detector.captureContext()) {
        m_state.triggerContextAI(*context, std::nullopt);
    } else {
        TabListModel &tabs = m_state.tabs();
        const QList<TabModel> &list = tabs.tabs();
        const auto ai = std::find_if(list.cbegin(), list.cend(), [](const TabModel &tab) { return tab.isAIProvider; });
        if (ai != list.cend())
            tabs.selectTab(ai->id);
    }
    m_panel.showPanel(true);
}
