#pragma once

class AppState;
class OrvanePanel;

// "Capture Selection to AI", started by Alt+A, Ctrl+Alt+A and the tray menu.
// Until the selection can be read, it runs its fallback: the first AI tab is
// selected and the panel slides in.
class CaptureAction final
{
public:
    CaptureAction(AppState &state, OrvanePanel &panel);

    void run();

private:
    AppState &m_state;
    OrvanePanel &m_panel;
};
