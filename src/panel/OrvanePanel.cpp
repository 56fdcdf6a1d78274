#include "panel/OrvanePanel.h"

#include "panel/SlideEasing.h"
#include "platform/Clock.h"
#include "platform/PanelSurface.h"
#include "platform/ScreenEnvironment.h"
#include "state/AppState.h"

#include <QPointer>

#include <algorithm>
#include <cmath>

namespace {
// Below this a slide is not worth showing.
constexpr double shortestSlide = 0.02;
constexpr double hideDurationFactor = 0.85;
constexpr double slideInterval = 1.0 / 120.0;
OrvanePanel *sharedPanel = nullptr;
} // namespace

OrvanePanel::OrvanePanel(AppState &state, Clock &clock, ScreenEnvironment &screens, PanelSurface &surface,
                         QObject *parent)
    : QObject(parent), m_state(state), m_clock(clock), m_screens(screens), m_surface(surface)
{
}

OrvanePanel::~OrvanePanel()
{
    if (sharedPanel == this)
        sharedPanel = nullptr;
}

OrvanePanel &OrvanePanel::shared()
{
    Q_ASSERT_X(sharedPanel, "OrvanePanel::shared", "the program has not made the panel yet");
    return *sharedPanel;
}

void OrvanePanel::setShared(OrvanePanel *panel)
{
    sharedPanel = panel;
}

PanelGeometry::Target OrvanePanel::calculateTargetFrame(const ScreenGeometry &screen) const
{
    return PanelGeometry::targetFrame(m_state.settings(), screen.visibleFrame);
}

std::optional<ScreenGeometry> OrvanePanel::panelScreen() const
{
    return PanelGeometry::screenContaining(m_screens.screens(), m_surface.frame().center());
}

std::optional<ScreenGeometry> OrvanePanel::pointerScreen() const
{
    return PanelGeometry::screenContaining(m_screens.screens(), m_screens.pointerLocation());
}

bool OrvanePanel::isPointerInsidePanel() const
{
    const QPointF p = m_screens.pointerLocation();
    const QRectF f = m_surface.frame();
    return p.x() >= f.left() && p.x() <= f.right() && p.y() >= f.top() && p.y() <= f.top() + f.height();
}

void OrvanePanel::showPanel(bool animated)
{
    m_autoHideTimer.reset();
    m_panelOpenedAt = m_clock.now();
    m_hasMovedInward = false;
    const auto screen = pointerScreen();
    if (!screen)
        return;
    const PanelGeometry::Target target = calculateTargetFrame(*screen);

    QPointer<OrvanePanel> self(this);
    m_clock.post([self] {
        if (self)
            self->m_state.setIsPanelVisible(true);
    });

    const QRectF &t = target.frame;
    if (m_surface.isOnScreen()) {
        m_surface.setFrame(QRectF(m_surface.frame().x(), t.y(), t.width(), t.height()));
    } else {
        m_surface.setFrame(QRectF(target.offscreenX, t.y(), t.width(), t.height()));
        m_surface.orderFront();
    }

    const double duration = m_state.settings().animationDuration;
    if (animated && duration > shortestSlide) {
        slide(t.x(), m_state.settings().animationCurve, duration, [this, t] { m_surface.setFrame(t); });
    } else {
        stopSlide();
        m_surface.setFrame(t);
    }
}

void OrvanePanel::hidePanel(bool animated)
{
    m_autoHideTimer.reset();
    m_hasMovedInward = false;
    m_lastClosedAt = m_clock.now();

    QPointer<OrvanePanel> self(this);
    m_clock.post([self] {
        if (self)
            self->m_state.setIsPanelVisible(false);
    });

    const auto screen = panelScreen();
    if (!m_surface.isOnScreen() || !screen)
        return;
    const double width = m_surface.frame().width();
    const double endX = PanelGeometry::offscreenX(m_state.settings().screenDockEdge, screen->visibleFrame, width);
    const double duration = hideDurationFactor * m_state.settings().animationDuration;
    if (!animated || duration <= shortestSlide) {
        stopSlide();
        m_surface.orderOut();
        return;
    }
    slide(endX, SlideEasing::hidingCurve(m_state.settings().animationCurve), duration, [this] { m_surface.orderOut(); });
}

void OrvanePanel::toggle()
{
    if (m_surface.isOnScreen() && m_state.isPanelVisible())
        hidePanel(true);
    else
        showPanel(true);
}

void OrvanePanel::slide(double endX, const QString &curve, double duration, std::function<void()> completion)
{
    stopSlide();
    m_isAnimating = true;
    const QRectF frame = m_surface.frame();
    m_slide = Slide{m_clock.uptime(), duration, frame.y(), frame.x(), endX, curve, std::move(completion)};
    QPointer<OrvanePanel> self(this);
    m_slideTimer = m_clock.repeating(slideInterval, [self] {
        if (self)
            self->slideStep();
    });
}

// Progress comes from the time elapsed, not from counting ticks, so a late
// tick never makes the slide longer.
void OrvanePanel::slideStep()
{
    const double p = std::clamp((m_clock.uptime() - m_slide.start) / m_slide.duration, 0.0, 1.0);
    const double eased = SlideEasing::value(m_slide.curve, p);
    m_surface.setOrigin(QPointF(m_slide.startX + (m_slide.endX - m_slide.startX) * eased, m_slide.y));
    Q_EMIT slideStepped();
    if (p < 1)
        return;
    const auto completion = std::move(m_slide.completion);
    stopSlide();
    m_surface.setOrigin(QPointF(m_slide.endX, m_slide.y));
    if (completion)
        completion();
    Q_EMIT slideFinished();
}

void OrvanePanel::stopSlide()
{
    m_slideTimer.reset();
    m_isAnimating = false;
}

void OrvanePanel::updatePanelWidth()
{
    stopSlide();
    QPointer<OrvanePanel> self(this);
    m_clock.post([self] {
        if (!self || self->m_isAnimating)
            return;
        const auto screen = self->panelScreen();
        if (screen && self->m_surface.isOnScreen() && self->m_state.isPanelVisible())
            self->m_surface.setFrame(self->calculateTargetFrame(*screen).frame);
    });
}

void OrvanePanel::updatePanelPosition()
{
    stopSlide();
    const auto screen = panelScreen();
    if (!screen)
        return;
    const PanelGeometry::Target target = calculateTargetFrame(*screen);
    if (m_surface.isOnScreen() && m_state.isPanelVisible())
        m_surface.setFrame(target.frame);
    else
        m_surface.setFrame(QRectF(target.offscreenX, target.frame.y(), target.frame.width(), target.frame.height()));
}

// The panel can be dragged along its edge, never away from it.
void OrvanePanel::windowDidMove()
{
    const auto screen = panelScreen();
    if (m_isAnimating || m_surface.inLiveResize() || !m_surface.isOnScreen() || !screen)
        return;
    const QRectF &v = screen->visibleFrame;
    const QRectF f = m_surface.frame();
    const double docked = PanelGeometry::dockedX(m_state.settings().screenDockEdge, v, f.width());
    if (std::fabs(f.x() - docked) > 2)
        m_surface.setOrigin(QPointF(docked, f.y()));
    if (!PanelGeometry::isDetached(f.height(), v))
        return;
    const double offset = PanelGeometry::topOffset(f, v);
    QPointer<OrvanePanel> self(this);
    m_clock.post([self, offset] {
        if (self)
            self->m_state.setPanelTopOffset(offset);
    });
}

void OrvanePanel::windowDidResize()
{
    if (!m_isAnimating && !m_surface.inLiveResize())
        captureCurrentDimensions();
}

void OrvanePanel::windowDidEndLiveResize()
{
    if (!m_isAnimating)
        captureCurrentDimensions();
}

void OrvanePanel::captureCurrentDimensions()
{
    const auto screen = panelScreen();
    if (!screen)
        return;
    const QRectF &v = screen->visibleFrame;
    const QRectF f = m_surface.frame();
    const double width = PanelGeometry::clampWidth(f.width());
    std::optional<double> height;
    std::optional<double> offset;
    if (PanelGeometry::isDetached(f.height(), v)) {
        height = f.height();
        offset = PanelGeometry::topOffset(f, v);
    }
    QPointer<OrvanePanel> self(this);
    m_clock.post([self, width, height, offset] {
        if (!self)
            return;
        if (std::fabs(self->m_state.settings().panelWidth - width) > 1)
            self->m_state.setPanelWidth(width);
        self->m_state.setPanelCustomHeight(height);
        self->m_state.setPanelTopOffset(offset);
    });
}
