#pragma once

class QWindow;

// Window-manager hints that Qt has no API for.
namespace X11WindowHints {

// Keeps the window off the taskbar and pager, above others and on every
// workspace. Must run before the window is first shown.
void makeSidePanel(QWindow *window);
// Whether a compositing manager runs, so that translucent windows really are.
bool hasCompositor();

} // namespace X11WindowHints
