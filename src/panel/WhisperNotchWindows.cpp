#include "panel/WhisperNotchWindows.h"

#include "panel/EdgeHoverDetector.h"
#include "panel/WhisperNotchView.h"

WhisperNotchWindows::WhisperNotchWindows(const AppState &state, EdgeHoverDetector &detector, WindowHints &hints,
                                         QObject *parent)
    : QObject(parent), m_state(state), m_detector(detector), m_hints(hints)
{
    connect(&m_detector, &EdgeHoverDetector::edgeWindowsRebuilt, this, &WhisperNotchWindows::rebuild);
    rebuild();
}

WhisperNotchWindows::~WhisperNotchWindows() = default;

void WhisperNotchWindows::rebuild()
{
    m_views.clear();
    for (const QRectF &frame : m_detector.frames().notches)
        m_views.push_back(std::make_unique<WhisperNotchView>(frame, m_detector.builtForEdge(), m_state, m_detector, m_hints));
}
