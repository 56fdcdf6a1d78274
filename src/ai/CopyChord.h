#pragma once

#include <QString>
#include <Qt>

#include <optional>

// The keys that copy the selection in an application's window.
struct CopyChord
{
    Qt::Key key = Qt::Key_C;
    Qt::KeyboardModifiers modifiers = Qt::ControlModifier;

    bool operator==(const CopyChord &) const = default;
};

// Ctrl+C, except in terminal emulators, where Ctrl+C interrupts the program
// running in them: most copy with Ctrl+Shift+C; the xterm family has no copy
// key at all (Ctrl+Shift+C is Ctrl+C there), so nothing is sent to it. The
// window is known by its class pair (WM_CLASS on X11).
std::optional<CopyChord> copyChordFor(const QString &instanceName, const QString &className);
