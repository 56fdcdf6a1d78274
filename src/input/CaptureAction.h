#pragma once

class AppState;
class ContextDetector;
class OrvanePanel;

// "Capture Selection to AI", started by Alt+A, Ctrl+Alt+A, the tray menu and
// the palette: the selection of the application in front is staged for the
// prompt bar; with nothing to capture the first AI tab is selected, and
// without one the panel says how to add one. Either way the panel slides in.
class CaptureAction final
{
public:
    CaptureAction(AppState &state, OrvanePanel &panel, ContextDetector &detector);

    void run();

private:
    AppState &m_state;
    OrvanePanel &m_panel;
    ContextDetector &m_detector;
    // The capture lets the main queue run while it waits for the copy; a
    // second press of the hot key meanwhile is the same request.
    bool m_running = false;
};
