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

// The one floating panel: where it belongs on which screen, and how it slides
// in and out. When it hides by itself is PanelVisibilityPolicy's business.
class OrvanePanel final : public QObject
{
    Q_OBJECT

public:
    OrvanePanel(AppState &state, Clock &clock, ScreenEnvironment &screens, PanelSurface &surface,
                QObject *parent = nullptr);
    ~OrvanePanel() override;

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

    QRectF frame() const;
    bool isOnScreen() const;
    // The screen under the panel's centre, else the main screen.
    std::optional<ScreenGeometry> panelScreen() const;
    bool isAnimating() const { return m_isAnimating; }
    QDateTime panelOpenedAt() const { return m_panelOpenedAt; }
    // When the panel was last hidden; invalid before the first hide.
    QDateTime lastClosedAt() const { return m_lastClosedAt; }

Q_SIGNALS:
    // A show or hide has begun.
    void showing();
    void hiding();
    // A slide moved the window; for measuring slides.
    void slideStepped();
    void slideFinished();
    // New settings moved the shown panel away from under the pointer.
    void movedFromUnderPointer();

private:
    std::optional<ScreenGeometry> pointerScreen() const;
    // Puts the window at `frame` on `screen`, with the outline that belongs there.
    void place(const QRectF &frame, const ScreenGeometry &screen);
    void updateDocking(const ScreenGeometry &screen);
    // Moves the shown panel where the settings now put it.
    void relayOut(const QRectF &frame, const ScreenGeometry &screen);
    void slide(double endX, const QString &curve, double duration, std::function<void()> completion);
    void slideStep();
    void stopSlide();

    AppState &m_state;
    Clock &m_clock;
    ScreenEnvironment &m_screens;
    PanelSurface &m_surface;

    bool m_isAnimating = false;
    QDateTime m_panelOpenedAt;
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
