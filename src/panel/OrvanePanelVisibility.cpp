// When the shown panel goes away by itself.
#include "panel/OrvanePanel.h"

#include "platform/Clock.h"
#include "platform/PanelSurface.h"
#include "platform/ScreenEnvironment.h"
#include "state/AppState.h"

#include <QPointer>

#include <algorithm>

namespace {
constexpr double shortestAutoHideDelay = 0.1;
// Beyond this distance from the docked edge the pointer has moved inward.
constexpr double inwardDistance = 30;
// Within this distance of the docked edge the pointer touches it.
constexpr double touchDistance = 3;
// An edge touch closes the panel only this long after it opened.
constexpr qint64 retouchGraceMs = 350;
} // namespace

void OrvanePanel::pointerMoved()
{
    if (m_screens.isPointerOverOwnWindow()) {
        // Over the panel, its menus or its edge strips: nothing is leaving.
        m_autoHideTimer.reset();
        handleEdgeRetouchCheck(m_screens.pointerLocation());
        return;
    }
    if (!m_state.isPanelVisible() || m_isAnimating)
        return;
    handleEdgeRetouchCheck(m_screens.pointerLocation());
    if (isPointerInsidePanel()) {
        m_autoHideTimer.reset();
        return;
    }
    // A pending hide is not restarted: the delay counts from the first movement outside.
    if (!m_state.settings().isPinned && m_state.settings().autoHideOnMouseExit && !m_autoHideTimer)
        scheduleAutoHide();
}

void OrvanePanel::mouseButtonPressed()
{
    // Clicks in this application's own windows never count as clicks outside.
    if (m_screens.isPointerOverOwnWindow())
        return;
    if (m_state.isPanelVisible() && !m_state.settings().isPinned && !isPointerInsidePanel())
        hidePanel(true);
}

void OrvanePanel::scheduleAutoHide()
{
    QPointer<OrvanePanel> self(this);
    // The timer stays recorded after it fires, so that a firing which did not
    // hide (say, the panel was pinned meanwhile) schedules nothing more until
    // the pointer has been inside the panel again.
    m_autoHideTimer = m_clock.singleShot(std::max(m_state.settings().autoHideDelay, shortestAutoHideDelay), [self] {
        if (self && !self->isPointerInsidePanel() && !self->m_state.settings().isPinned
            && self->m_state.isPanelVisible()) {
            self->hidePanel(true);
        }
    });
}

void OrvanePanel::handleEdgeRetouchCheck(const QPointF &location)
{
    if (!m_state.isPanelVisible() || m_isAnimating)
        return;
    const QList<ScreenGeometry> screens = m_screens.screens();
    std::optional<ScreenGeometry> screen;
    for (const ScreenGeometry &candidate : screens) {
        if (candidate.frame.contains(location)) {
            screen = candidate;
            break;
        }
    }
    if (!screen)
        screen = panelScreen();
    if (!screen)
        return;
    const QRectF &f = screen->frame;
    const bool dockedLeft = m_state.settings().screenDockEdge == ScreenDockEdge::Left;
    if (dockedLeft ? location.x() > f.left() + inwardDistance : location.x() < f.right() - inwardDistance)
        m_hasMovedInward = true;
    const bool touches = dockedLeft ? location.x() <= f.left() + touchDistance : location.x() >= f.right() - touchDistance;
    if (m_hasMovedInward && m_state.settings().edgeRetouchToHide && touches
        && m_panelOpenedAt.msecsTo(m_clock.now()) > retouchGraceMs && !m_screens.isMouseButtonPressed()) {
        m_hasMovedInward = false;
        hidePanel(true);
    }
}
