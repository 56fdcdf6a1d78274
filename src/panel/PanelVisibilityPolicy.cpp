#include "panel/PanelVisibilityPolicy.h"

#include "panel/OrvanePanel.h"
#include "platform/Clock.h"
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
// Longer than a click on the tray item takes to reach Orvane as a toggle
// after its press was seen as a click elsewhere.
constexpr double clickToggleSeconds = 0.6;
} // namespace

PanelVisibilityPolicy::PanelVisibilityPolicy(AppState &state, Clock &clock, ScreenEnvironment &screens,
                                             OrvanePanel &panel, QObject *parent)
    : QObject(parent), m_state(state), m_clock(clock), m_screens(screens), m_panel(panel)
{
    connect(&m_panel, &OrvanePanel::showing, this, [this] {
        m_hidByClickAt.reset();
        reset();
    });
    connect(&m_panel, &OrvanePanel::hiding, this, &PanelVisibilityPolicy::reset);
    connect(&m_panel, &OrvanePanel::movedFromUnderPointer, this, [this] {
        m_autoHideTimer.reset();
        m_awaitsPointer = true;
    });
}

PanelVisibilityPolicy::~PanelVisibilityPolicy() = default;

void PanelVisibilityPolicy::reset()
{
    m_autoHideTimer.reset();
    m_hasMovedInward = false;
    m_awaitsPointer = false;
}

bool PanelVisibilityPolicy::isPointerInsidePanel() const
{
    const QPointF p = m_screens.pointerLocation();
    const QRectF f = m_panel.frame();
    return p.x() >= f.left() && p.x() <= f.right() && p.y() >= f.top() && p.y() <= f.top() + f.height();
}

bool PanelVisibilityPolicy::staysShown() const
{
    return m_state.settings().values().isPinned || m_state.isPanelHeld();
}

void PanelVisibilityPolicy::pointerMoved()
{
    if (isPointerInsidePanel())
        m_awaitsPointer = false;
    if (m_screens.isPointerOverOwnWindow()) {
        // Over the panel, its menus or its edge strips: nothing is leaving.
        m_autoHideTimer.reset();
        handleEdgeRetouchCheck(m_screens.pointerLocation());
        return;
    }
    if (!m_state.isPanelVisible() || m_panel.isAnimating())
        return;
    handleEdgeRetouchCheck(m_screens.pointerLocation());
    if (isPointerInsidePanel()) {
        m_autoHideTimer.reset();
        return;
    }
    // A pending hide is not restarted: the delay counts from the first movement outside.
    const Settings &settings = m_state.settings().values();
    if (!staysShown() && settings.autoHideOnMouseExit && !m_autoHideTimer && !m_awaitsPointer)
        scheduleAutoHide();
}

void PanelVisibilityPolicy::mouseButtonPressed()
{
    // Clicks in this application's own windows never count as clicks outside.
    if (m_screens.isPointerOverOwnWindow())
        return;
    if (!isPointerInsidePanel())
        hideForClickElsewhere();
}

void PanelVisibilityPolicy::keyboardLeftOrvane()
{
    hideForClickElsewhere();
}

void PanelVisibilityPolicy::hideForClickElsewhere()
{
    if (m_state.isPanelVisible() && !staysShown()) {
        m_panel.hidePanel(true);
        m_hidByClickAt = m_clock.uptime();
    }
}

void PanelVisibilityPolicy::toggleFromOutside()
{
    const bool clickHidIt = m_hidByClickAt && m_clock.uptime() - *m_hidByClickAt < clickToggleSeconds;
    m_hidByClickAt.reset();
    if (!clickHidIt)
        m_panel.toggle();
}

void PanelVisibilityPolicy::scheduleAutoHide()
{
    QPointer<PanelVisibilityPolicy> self(this);
    // The timer stays recorded after it fires, so that a firing which did not
    // hide (say, the panel was pinned meanwhile) schedules nothing more until
    // the pointer has been inside the panel again.
    const double delay = std::max(m_state.settings().values().autoHideDelay, shortestAutoHideDelay);
    m_autoHideTimer = m_clock.singleShot(delay, [self] {
        if (self && !self->isPointerInsidePanel() && !self->staysShown()
            && self->m_state.isPanelVisible()) {
            self->m_panel.hidePanel(true);
        }
    });
}

void PanelVisibilityPolicy::handleEdgeRetouchCheck(const QPointF &location)
{
    if (!m_state.isPanelVisible() || m_panel.isAnimating())
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
        screen = m_panel.panelScreen();
    if (!screen)
        return;
    const QRectF &f = screen->frame;
    const bool dockedLeft = m_state.settings().values().screenDockEdge == ScreenDockEdge::Left;
    if (dockedLeft ? location.x() > f.left() + inwardDistance : location.x() < f.right() - inwardDistance)
        m_hasMovedInward = true;
    const bool touches = dockedLeft ? location.x() <= f.left() + touchDistance : location.x() >= f.right() - touchDistance;
    if (touches && isEdgeRetouchArmed()) {
        m_hasMovedInward = false;
        m_panel.hidePanel(true);
    }
}

bool PanelVisibilityPolicy::isEdgeRetouchArmed() const
{
    return m_hasMovedInward && m_state.settings().values().edgeRetouchToHide && !m_state.isPanelHeld()
        && m_panel.panelOpenedAt().msecsTo(m_clock.now()) > retouchGraceMs && !m_screens.isMouseButtonPressed();
}
