#pragma once

#include <QObject>
#include <QPointF>

#include <memory>
#include <optional>

class AppState;
class Clock;
class OrvanePanel;
class ScreenEnvironment;
class TimerHandle;

// When the shown panel goes away by itself: the pointer leaving it (after the
// auto-hide delay), a click in another application, or the pointer touching
// the docked screen edge again after it had moved inward. Pinning stops the
// first two; a page's pop-up or file chooser stops all three. A panel that
// moved out from under the pointer by itself (new settings put it elsewhere)
// was not left: it hides for the pointer only once the pointer has been inside
// it again. Fed by the global pointer monitors.
class PanelVisibilityPolicy final : public QObject
{
    Q_OBJECT

public:
    PanelVisibilityPolicy(AppState &state, Clock &clock, ScreenEnvironment &screens, OrvanePanel &panel,
                          QObject *parent = nullptr);
    ~PanelVisibilityPolicy() override;

    void pointerMoved();
    void mouseButtonPressed();
    // The keyboard went from Orvane's windows to another application's. Where
    // clicks in other applications never reach Orvane (a Wayland session),
    // this is how a click elsewhere shows, and it hides the panel as one does.
    void keyboardLeftOrvane();
    void scheduleAutoHide();
    void handleEdgeRetouchCheck(const QPointF &mouseLocation);
    // A toggle asked for by a click outside the panel (the tray item). That
    // click may already have hidden the panel as a click elsewhere, before or
    // after the toggle arrives; either way the panel ends up hidden.
    void toggleFromOutside();

    bool hasMovedInward() const { return m_hasMovedInward; }
    // Whether touching the docked edge now hides the panel: retouching is on,
    // the pointer had moved inward, the panel opened more than 0.35 s ago and
    // no mouse button is held (as while dragging a window).
    bool isEdgeRetouchArmed() const;
    bool isAutoHidePending() const { return m_autoHideTimer != nullptr; }

private:
    bool isPointerInsidePanel() const;
    void hideForClickElsewhere();
    // Pinned, or held by a page's window of its own (a pop-up, a file chooser).
    bool staysShown() const;
    // Each show or hide starts afresh.
    void reset();

    AppState &m_state;
    Clock &m_clock;
    ScreenEnvironment &m_screens;
    OrvanePanel &m_panel;
    std::unique_ptr<TimerHandle> m_autoHideTimer;
    bool m_hasMovedInward = false;
    bool m_awaitsPointer = false;
    // When a click outside last hid the panel, on the clock's uptime.
    std::optional<double> m_hidByClickAt;
};
