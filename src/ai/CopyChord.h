#pragma once

#include "platform/DesktopApplications.h"

#include <Qt>

#include <optional>

// The keys that copy the selection in an application's window.
struct CopyChord
{
    Qt::Key key = Qt::Key_C;
    Qt::KeyboardModifiers modifiers = Qt::ControlModifier;

    bool operator==(const CopyChord &) const = default;
};

// The keys for the window the keys go to; nothing when no keys are safe to
// send. In a terminal emulator Ctrl+C interrupts the program running in it:
// the terminals known by their class (WM_CLASS on X11) to copy with
// Ctrl+Shift+C get that; the xterm family, which has no copy key at all
// (Ctrl+Shift+C is Ctrl+C there), gets nothing, and so does any other window
// whose process runs a terminal or cannot be looked at. Only a window known
// to run none gets Ctrl+C.
std::optional<CopyChord> copyChordFor(const DesktopApplication &window);
