#include "input/CaptureAction.h"

#include "ai/ContextDetector.h"
#include "panel/OrvanePanel.h"
#include "state/AppState.h"

#include <QScopedValueRollback>

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
        m_state.showAITab();
    }
    m_panel.showPanel(true);
}
