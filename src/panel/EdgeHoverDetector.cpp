#include "panel/EdgeHoverDetector.h"

#include "panel/OrvanePanel.h"
#include "panel/PanelVisibilityPolicy.h"
#include "platform/Clock.h"
#include "platform/EdgeStrips.h"
#include "platform/ScreenEnvironment.h"
#include "shelf/DropIntake.h"
#include "state/AppState.h"

#include <QPointer>

namespace {
// A hide just now means the pointer is still at the edge it left by: it does
// not summon the panel straight back.
constexpr qint64 reopenGraceMs = 500;
} // namespace

EdgeHoverDetector::EdgeHoverDetector(AppState &state, Clock &clock, ScreenEnvironment &screens, OrvanePanel &panel,
                                     PanelVisibilityPolicy &visibility, EdgeStrips &strips, QObject *parent)
    : QObject(parent)
    , m_state(state)
    , m_clock(clock)
    , m_screens(screens)
    , m_panel(panel)
    , m_visibility(visibility)
    , m_strips(strips)
    , m_stager(state.shelf())
{
    m_strips.setHandlers({[this] { pointerEntered(); }, [this] { clicked(); }, [this] { stripDragEntered(); },
                          [this](const DragPayload &payload) { return performDrop(payload); }});
    // While the panel is shown, clicks at the edge belong to the windows below.
    connect(&m_state, &AppState::isPanelVisibleChanged, this,
            [this] { m_strips.setTakesInput(!m_state.isPanelVisible()); });
    // A dock-edge change rebuilds before the panel moves: both are queued in that order.
    connect(&m_state.settings(), &SettingsModel::edgeWindowsRebuildRequested, this, [this] {
        if (m_started)
            setupTriggerWindows();
    });
}

EdgeHoverDetector::~EdgeHoverDetector()
{
    stop();
}

void EdgeHoverDetector::start()
{
    m_started = true;
    setupTriggerWindows();
}

void EdgeHoverDetector::stop()
{
    m_started = false;
    if (m_frames.strips.isEmpty() && m_frames.notches.isEmpty())
        return;
    m_frames = {};
    m_strips.setFrames({});
    Q_EMIT edgeWindowsRebuilt();
}

void EdgeHoverDetector::screenParametersChanged()
{
    if (m_started)
        setupTriggerWindows();
}

void EdgeHoverDetector::setupTriggerWindows()
{
    const Settings &settings = m_state.settings().values();
    m_edge = settings.screenDockEdge;
    m_frames = EdgeLayout::frames(m_screens.screens(), m_edge, settings.showEdgeIndicator);
    m_strips.setFrames(m_frames.strips);
    m_strips.setTakesInput(!m_state.isPanelVisible());
    Q_EMIT edgeWindowsRebuilt();
}

void EdgeHoverDetector::pointerEntered()
{
    QPointer<EdgeHoverDetector> self(this);
    m_clock.post([self] {
        if (!self)
            return;
        const Settings &settings = self->m_state.settings().values();
        if (!settings.edgeHoverEnabled)
            return;
        if (!self->m_state.isPanelVisible()) {
            const QDateTime closed = self->m_panel.lastClosedAt();
            if (!closed.isValid() || closed.msecsTo(self->m_clock.now()) >= reopenGraceMs)
                self->m_panel.showPanel(true);
            return;
        }
        // Hiding clears the policy's moved-inward mark.
        if (self->m_visibility.isEdgeRetouchArmed())
            self->m_panel.hidePanel(true);
    });
}

// Whatever the hover settings say.
void EdgeHoverDetector::clicked()
{
    QPointer<EdgeHoverDetector> self(this);
    m_clock.post([self] {
        if (self)
            self->m_panel.toggle();
    });
}

void EdgeHoverDetector::stripDragEntered()
{
    QPointer<EdgeHoverDetector> self(this);
    m_clock.post([self] {
        if (self && self->m_state.settings().values().edgeHoverEnabled)
            self->openShelfForDrag();
    });
}

void EdgeHoverDetector::notchDragEntered()
{
    QPointer<EdgeHoverDetector> self(this);
    m_clock.post([self] {
        if (self)
            self->openShelfForDrag();
    });
}

void EdgeHoverDetector::openShelfForDrag()
{
    m_state.content().setActiveItem(ActiveSidebarItem::dropShelf());
    if (!m_state.isPanelVisible())
        m_panel.showPanel(true);
}

bool EdgeHoverDetector::performDrop(const DragPayload &payload)
{
    return m_stager.stage(DropIntake::requestsFrom(payload));
}
