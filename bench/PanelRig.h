#pragma once

#include "panel/OrvanePanel.h"
#include "panel/PanelVisibilityPolicy.h"
#include "panel/PanelWindow.h"
#include "platform/Ports.h"
#include "platform/qt/DesktopAppearance.h"
#include "platform/qt/ProcFsMemory.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/SettingsFileStore.h"
#include "platform/x11/X11ScreenEnvironment.h"
#include "platform/x11/X11WindowHints.h"
#include "state/AppState.h"

#include <QTemporaryDir>

// One panel in the benchmark's own process, on the desktop's implementations,
// with settings in a file of its own.
struct PanelRig
{
    QTemporaryDir folder;
    QtClock clock;
    SettingsFileStore store{folder.filePath(QStringLiteral("Orvane.conf"))};
    DesktopAppearance appearance;
    ProcFsMemory memory;
    AppState state{Ports{clock, store, appearance, memory}};
    X11ScreenEnvironment screens;
    X11WindowHints hints;
    PanelWindow window{state.settings(), hints};
    OrvanePanel panel{state, clock, screens, window};
    PanelVisibilityPolicy visibility{state, clock, screens, panel};
};
