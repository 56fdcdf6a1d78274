#pragma once

#include "FakeDesktop.h"
#include "FakePorts.h"
#include "panel/OrvanePanel.h"
#include "panel/PanelVisibilityPolicy.h"
#include "state/AppState.h"

#include <gtest/gtest.h>

// The state and the panel on fakes: one 1440 × 900 screen, a fake clock, and
// settings that do not follow the system's appearance.
class FakePanelWorld : public ::testing::Test
{
protected:
    FakePanelWorld()
    {
        fakes.store.values.insert(QStringLiteral("Orvane_followSystemTheme"), false);
        state = std::make_unique<AppState>(fakes.ports());
        panel = std::make_unique<OrvanePanel>(*state, fakes.clock, screens, surface);
        visibility = std::make_unique<PanelVisibilityPolicy>(*state, fakes.clock, screens, *panel);
    }

    FakePorts fakes;
    FakeScreens screens;
    FakeSurface surface;
    std::unique_ptr<AppState> state;
    std::unique_ptr<OrvanePanel> panel;
    std::unique_ptr<PanelVisibilityPolicy> visibility;
};
