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
} // namespace

OrvanePanel::OrvanePanel(AppState &state, Clock &clock, ScreenEnvironment &screens, PanelSurface &surface,
                         QObject *parent)
    : QObject(parent), m_state(state), m_clock(clock), m_screens(screens), m_surface(surface)
{
    connect(&m_state.settings(), &SettingsModel::panelWidthLayoutRequested, this, &OrvanePanel::updatePanelWidth);
    connect(&m_state.settings(), &SettingsModel::panelPositionLayoutRequested, this, &OrvanePanel::updatePanelPosition);
}

OrvanePanel::~OrvanePanel() = default;

PanelGeometry::Target OrvanePanel::calculateTargetFrame(const ScreenGeometry &screen) const
{
    return PanelGeometry::targetFrame(m_state.settings().values(), screen.visibleFrame);
}

QRectF OrvanePanel::frame() const
{
    return m_surface.frame();
}

bool OrvanePanel::isOnScreen() const
{
    return m_surface.isOnScreen();
}

void OrvanePanel::updateDocking(const ScreenGeometry &screen)
{
    const bool left = m_state.settings().values().screenDockEdge == ScreenDockEdge::Left;
    m_surface.setDocking(left ? Qt::LeftEdge : Qt::RightEdge,
                         PanelGeometry::isDetached(m_surface.frame().height(), screen.visibleFrame));
}

void OrvanePanel::place(const QRectF &frame, const ScreenGeometry &screen)
{
    m_surface.setFrame(frame);
    updateDocking(screen);
}

void OrvanePanel::relayOut(const QRectF &frame, const ScreenGeometry &screen)
{
    const QPointF pointer = m_screens.pointerLocation();
    const bool wasUnder = m_surface.frame().contains(pointer);
    place(frame, screen);
    if (wasUnder && !frame.contains(pointer))
        Q_EMIT movedFromUnderPointer();
}

std::optional<ScreenGeometry> OrvanePanel::panelScreen() const
{
    return PanelGeometry::screenContaining(m_screens.screens(), m_surface.frame().center());
}

std::optional<ScreenGeometry> OrvanePanel::pointerScreen() const
{
    return PanelGeometry::screenContaining(m_screens.screens(), m_screens.pointerLocation());
}

void OrvanePanel::showPanel(bool animated)
{
    m_panelOpenedAt = m_clock.now();
    Q_EMIT showing();
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
        place(QRectF(m_surface.frame().x(), t.y(), t.width(), t.height()), *screen);
    } else {
        place(QRectF(target.offscreenX, t.y(), t.width(), t.height()), *screen);
        m_surface.orderFront();
    }

    const Settings &settings = m_state.settings().values();
    if (animated && settings.animationDuration > shortestSlide) {
        // The settings may change while the panel slides (a width command
        // arriving with the show): it lands where they say by then.
        const ScreenGeometry on = *screen;
        slide(t.x(), settings.animationCurve, settings.animationDuration,
              [this, on] { place(calculateTargetFrame(on).frame, on); });
    } else {
        stopSlide();
        place(t, *screen);
    }
}

void OrvanePanel::hidePanel(bool animated)
{
    m_lastClosedAt = m_clock.now();
    Q_EMIT hiding();

    QPointer<OrvanePanel> self(this);
    m_clock.post([self] {
        if (self)
            self->m_state.setIsPanelVisible(false);
    });

    const auto screen = panelScreen();
    if (!m_surface.isOnScreen() || !screen)
        return;
    const double width = m_surface.frame().width();
    const Settings &settings = m_state.settings().values();
    const double endX = PanelGeometry::offscreenX(settings.screenDockEdge, screen->visibleFrame, width);
    const double duration = hideDurationFactor * settings.animationDuration;
    if (!animated || duration <= shortestSlide) {
        stopSlide();
        m_surface.orderOut();
        return;
    }
    slide(endX, SlideEasing::hidingCurve(settings.animationCurve), duration, [this] { m_surface.orderOut(); });
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
    // The first frame goes out on the next turn, not a whole interval after
    // the summons: that wait is what the user feels as lag.
    m_clock.post([self] {
        if (self && self->m_isAnimating)
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

// A slide under way lands on the new width by itself.
void OrvanePanel::updatePanelWidth()
{
    if (m_isAnimating)
        return;
    const auto screen = panelScreen();
    if (screen && m_surface.isOnScreen() && m_state.isPanelVisible())
        relayOut(calculateTargetFrame(*screen).frame, *screen);
}

void OrvanePanel::updatePanelPosition()
{
    stopSlide();
    const auto screen = panelScreen();
    if (!screen)
        return;
    const PanelGeometry::Target target = calculateTargetFrame(*screen);
    if (m_surface.isOnScreen() && m_state.isPanelVisible())
        relayOut(target.frame, *screen);
    else
        place(QRectF(target.offscreenX, target.frame.y(), target.frame.width(), target.frame.height()), *screen);
}

// The panel can be dragged along its edge, never away from it nor past the
// ends of the work area.
void OrvanePanel::windowDidMove()
{
    const auto screen = panelScreen();
    if (m_isAnimating || m_surface.inLiveResize() || !m_surface.isOnScreen() || !screen)
        return;
    const QRectF &v = screen->visibleFrame;
    QRectF f = m_surface.frame();
    const QRectF kept = PanelGeometry::keptWithin(f, m_state.settings().values().screenDockEdge, v);
    if (std::fabs(f.x() - kept.x()) > 2 || f.y() != kept.y()) {
        f.moveTo(std::fabs(f.x() - kept.x()) > 2 ? kept.x() : f.x(), kept.y());
        m_surface.setOrigin(f.topLeft());
    }
    if (!PanelGeometry::isDetached(f.height(), v))
        return;
    const double offset = PanelGeometry::topOffset(f, v);
    QPointer<OrvanePanel> self(this);
    m_clock.post([self, offset] {
        if (self)
            self->m_state.settings().set(&Settings::panelTopOffset, offset);
    });
}

void OrvanePanel::windowDidResize()
{
    if (const auto screen = panelScreen()) {
        if (!m_isAnimating) {
            const QRectF f = m_surface.frame();
            const QRectF kept = PanelGeometry::keptWithin(f, m_state.settings().values().screenDockEdge,
                                                          screen->visibleFrame);
            if (kept != f)
                m_surface.setFrame(kept);
        }
        updateDocking(*screen);
    }
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
        SettingsModel &settings = self->m_state.settings();
        if (std::fabs(settings.values().panelWidth - width) > 1)
            settings.set(&Settings::panelWidth, width);
        settings.set(&Settings::panelCustomHeight, height);
        settings.set(&Settings::panelTopOffset, offset);
    });
}
