#pragma once

#include "ai/ApplicationNames.h"
#include "ai/ContextDetector.h"
#include "platform/qt/AtspiSelection.h"
#include "platform/x11/X11DesktopApplications.h"
#include "platform/x11/X11KeySynthesizer.h"
#include "platform/x11/X11Pasteboard.h"
#include "platform/x11/X11PrimarySelection.h"

class Clock;

// The context detector on this desktop: X11 for the applications, the copy
// keys and the clipboard; for the selection, the accessibility bus, then
// X11's primary selection; the installed applications' desktop entries for
// their names.
class DesktopCapture final
{
public:
    explicit DesktopCapture(Clock &clock);

    ContextDetector &detector() { return m_detector; }

private:
    X11DesktopApplications m_applications;
    AtspiSelection m_accessibleSelection;
    X11PrimarySelection m_primarySelection;
    X11KeySynthesizer m_keys;
    X11Pasteboard m_pasteboard;
    ApplicationNames m_names;
    ContextDetector m_detector;
};
