#pragma once

#include "panel/EdgeLayout.h"
#include "platform/DragPayload.h"
#include "shelf/DropStager.h"

#include <QObject>

class AppState;
class Clock;
class EdgeStrips;
class OrvanePanel;
class PanelVisibilityPolicy;
class ScreenEnvironment;

// Summons the panel from the docked screen edge: the invisible strips there
// (touching one shows the panel, touching it again hides it, a click toggles,
// a drag opens the shelf, a drop stages on it) and the notches beside them.
// Each event is decided in a task on the main queue, by the state of the
// moment the task runs.
class EdgeHoverDetector final : public QObject
{
    Q_OBJECT

public:
    EdgeHoverDetector(AppState &state, Clock &clock, ScreenEnvironment &screens, OrvanePanel &panel,
                      PanelVisibilityPolicy &visibility, EdgeStrips &strips, QObject *parent = nullptr);
    ~EdgeHoverDetector() override;

    // Builds the edge windows; screenParametersChanged() rebuilds them.
    void start();
    // Removes every edge window.
    void stop();
    void screenParametersChanged();

    const EdgeLayout::Frames &frames() const { return m_frames; }
    // The dock edge the windows were last built for.
    ScreenDockEdge builtForEdge() const { return m_edge; }

    // What the strips and notches report.
    void pointerEntered();
    // A click on a strip (taken only while the panel is hidden) or a notch.
    void clicked();
    void stripDragEntered();
    void notchDragEntered();
    // Stages through the shelf's intake, as a drop on the shelf does; a drag
    // that stages nothing (image data alone, blank text) is refused.
    // Answers whether the drop was taken.
    bool performDrop(const DragPayload &payload);

Q_SIGNALS:
    // The edge windows were rebuilt (or removed); notches follow frames().
    void edgeWindowsRebuilt();

private:
    void setupTriggerWindows();
    // Opens the shelf, and the panel when hidden.
    void openShelfForDrag();

    AppState &m_state;
    Clock &m_clock;
    ScreenEnvironment &m_screens;
    OrvanePanel &m_panel;
    PanelVisibilityPolicy &m_visibility;
    EdgeStrips &m_strips;
    DropStager m_stager;
    EdgeLayout::Frames m_frames;
    ScreenDockEdge m_edge = ScreenDockEdge::Right;
    bool m_started = false;
};
