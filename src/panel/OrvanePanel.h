#pragma once

#include "panel/PanelGeometry.h"

#include <QDateTime>
#include <QObject>

#include <functional>
#include <memory>

class AppState;
class Clock;
class PanelSurface;
class ScreenEnvironment;
class TimerHandle;

// The one floating panel: where it belongs, how it slides in and out, and
// when it hides by itself (the pointer leaving it, a click in another
// application, the pointer touching the docked edge again).
class OrvanePanel final : public QObject
{
    Q_OBJECT

public:
    OrvanePanel(AppState &state, Clock &clock, ScreenEnvironment &screens, PanelSurface &surface,
                QObject *parent = nullptr);
    ~OrvanePanel() override;

    // The process's panel, once the program has made it.
    static OrvanePanel &shared();
    static void setShared(OrvanePanel *panel);

    void showPanel(bool animated);
    void hidePanel(bool animated);
    // Hides when on screen and visible, shows otherwise.
    void toggle();
    PanelGeometry::Target calculateTargetFrame(const ScreenGeometry &screen) const;
    void updatePanelWidth();
    void updatePanelPosition();
    void captureCurrentDimensions();

    // What the window reports of the user's own dragging and resizing.
    void windowDidMove();
    void windowDidResize();
    void windowDidEndLiveResize();

    // The visibility rules, fed by the pointer monitors.
    void pointerMoved();
    void mouseButtonPressed();
    void scheduleAutoHide();
    void handleEdgeRetouchCheck(const QPointF &mouseLocation);

    bool isAnimating() const { return m_isAnimating; }
    bool hasMovedInward() const { return m_hasMovedInward; }
    bool isAutoHidePending() const { return m_autoHideTimer != nullptr; }
    QDateTime panelOpenedAt() const { return m_panelOpenedAt; }
    // When the panel was last hidden; invalid before the first hide.
    QDateTime lastClosedAt() const { return m_lastClosedAt; }

Q_SIGNALS:
    // A slide moved the window; for measuring slides.
    void slideStepped();
    void slideFinished();

private:
    std::optional<ScreenGeometry> panelScreen() const;
    std::optional<ScreenGeometry> pointerScreen() const;
    bool isPointerInsidePanel() const;
    void slide(double endX, const QString &curve, double duration, std::function<void()> completion);
    void slideStep();
    void stopSlide();

    AppState &m_state;
    Clock &m_clock;
    ScreenEnvironment &m_screens;
    PanelSurface &m_surface;

    bool m_isAnimating = false;
    std::unique_ptr<TimerHandle> m_autoHideTimer;
    QDateTime m_panelOpenedAt;
    bool m_hasMovedInward = false;
    std::unique_ptr<TimerHandle> m_slideTimer;
    QDateTime m_lastClosedAt;

    struct Slide
    {
        double start = 0;
        double duration = 0;
        double y = 0;
        double startX = 0;
        double endX = 0;
        QString curve;
        std::function<void()> completion;
    };
    Slide m_slide;
};
