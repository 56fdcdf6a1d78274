#pragma once

class QWindow;

// What the window system must be told about our windows beyond Qt's flags.
class WindowHints
{
public:
    virtual ~WindowHints() = default;
    WindowHints() = default;
    WindowHints(const WindowHints &) = delete;
    WindowHints &operator=(const WindowHints &) = delete;

    // Keeps the window off the taskbar and pager, above others and on every
    // workspace. Must run before each time the window is shown: a window
    // manager forgets the hints of a window that is hidden.
    virtual void makeSidePanel(QWindow *window) = 0;
    // Whether a compositing manager runs, so that translucent windows really are.
    virtual bool hasCompositor() const = 0;
};
