#include "FakePanelWorld.h"

#include <gtest/gtest.h>

namespace {

class PanelTest : public FakePanelWorld
{
protected:
    // Shows the panel and lets the slide finish.
    void showAndSettle()
    {
        panel->showPanel(true);
        fakes.clock.advance(1);
    }
};

TEST_F(PanelTest, ShowSlidesInFromOffScreenToTheTargetFrame)
{
    panel->showPanel(true);
    EXPECT_TRUE(surface.onScreen);
    EXPECT_EQ(surface.frame(), QRectF(1440, 0, 440, 875)) << "starts just off the docked edge";
    EXPECT_FALSE(state->isPanelVisible()) << "set on the next turn of the main queue";
    EXPECT_TRUE(panel->isAnimating());
    const std::size_t placed = surface.origins.size();
    fakes.clock.runPosted();
    EXPECT_TRUE(state->isPanelVisible());
    EXPECT_EQ(surface.origins.size(), placed + 1) << "the first frame on the next turn, not an interval later";

    fakes.clock.advance(0.24);
    EXPECT_TRUE(panel->isAnimating());
    fakes.clock.advance(0.02);
    EXPECT_FALSE(panel->isAnimating());
    EXPECT_EQ(surface.frame(), QRectF(1000, 0, 440, 875));
    // About 120 steps a second for the 0.25 s slide; the spring overshoots the target.
    EXPECT_NEAR(surface.origins.size(), 31, 2);
    EXPECT_LT(*std::min_element(surface.origins.cbegin(), surface.origins.cend()), 1000 - 15);
}

TEST_F(PanelTest, HideSlidesOutWithoutOvershootThenOrdersOut)
{
    showAndSettle();
    surface.origins.clear();
    panel->hidePanel(true);
    EXPECT_TRUE(panel->lastClosedAt().isValid());
    fakes.clock.advance(0.85 * 0.25 - 0.01);
    EXPECT_TRUE(surface.onScreen);
    fakes.clock.advance(0.02);
    EXPECT_FALSE(surface.onScreen);
    EXPECT_FALSE(state->isPanelVisible());
    EXPECT_TRUE(std::is_sorted(surface.origins.cbegin(), surface.origins.cend())) << "the cubic ease never turns back";
    EXPECT_EQ(surface.origins.constLast(), 1440);
}

TEST_F(PanelTest, VeryShortDurationsSkipTheSlide)
{
    state->settings().set(&Settings::animationDuration, 0.02);
    panel->showPanel(true);
    EXPECT_FALSE(panel->isAnimating());
    EXPECT_EQ(surface.frame().x(), 1000);
    fakes.clock.runPosted();
    panel->hidePanel(true);
    EXPECT_FALSE(surface.onScreen);

    // 0.0235 s slides in, but 0.85 of it is too short to slide out.
    state->settings().set(&Settings::animationDuration, 0.0235);
    panel->showPanel(true);
    EXPECT_TRUE(panel->isAnimating());
    fakes.clock.advance(0.05);
    panel->hidePanel(true);
    EXPECT_FALSE(surface.onScreen);
}

TEST_F(PanelTest, ShowDuringSlideOutTurnsBackFromTheCurrentPosition)
{
    showAndSettle();
    panel->hidePanel(true);
    fakes.clock.advance(0.1);
    const double midway = surface.frame().x();
    ASSERT_GT(midway, 1000);
    ASSERT_LT(midway, 1440);
    surface.origins.clear();
    panel->showPanel(true);
    fakes.clock.advance(0.01);
    EXPECT_LT(surface.frame().x(), midway);
    EXPECT_GT(surface.frame().x(), 1000 - 60) << "no jump back off screen";
    fakes.clock.advance(1);
    EXPECT_TRUE(surface.onScreen);
    EXPECT_EQ(surface.frame().x(), 1000);
}

TEST_F(PanelTest, DraggingSidewaysSnapsBackAndMovingAndResizingKeepTheWholePanelWithinTheWorkArea)
{
    showAndSettle();
    surface.setFrame(QRectF(1002, 0, 440, 875));
    panel->windowDidMove();
    EXPECT_EQ(surface.frame().x(), 1002) << "within two points: left as it is";
    surface.setFrame(QRectF(997, 0, 440, 875));
    panel->windowDidMove();
    EXPECT_EQ(surface.frame().x(), 1000) << "snapped back";
    // Desktop coordinates: the work area runs from y 0 up to y 875.
    surface.setFrame(QRectF(1000, 500, 440, 500));
    panel->windowDidMove();
    EXPECT_EQ(surface.frame(), QRectF(1000, 375, 440, 500)) << "dragged past the top";
    surface.setFrame(QRectF(1000, -433, 440, 500));
    panel->windowDidMove();
    EXPECT_EQ(surface.frame(), QRectF(1000, 0, 440, 500)) << "dragged past the bottom";
    fakes.clock.runPosted();
    EXPECT_EQ(state->settings().values().panelTopOffset, 375.0);

    surface.liveResize = true;
    surface.setFrame(QRectF(1000, -100, 440, 1000));
    panel->windowDidResize();
    EXPECT_EQ(surface.frame(), QRectF(1000, 0, 440, 875)) << "resized past both ends";
    surface.setFrame(QRectF(-100, 0, 1540, 875));
    panel->windowDidResize();
    EXPECT_EQ(surface.frame(), QRectF(0, 0, 1440, 875)) << "widened past the far edge";
}

TEST_F(PanelTest, ResizingAndVerticalDraggingAreCapturedIntoTheSettings)
{
    showAndSettle();
    // The user drags the bottom edge up to a 500-point tall panel.
    surface.liveResize = true;
    surface.setFrame(QRectF(1000, 375, 500, 500));
    panel->windowDidResize();
    fakes.clock.runPosted();
    EXPECT_FALSE(state->settings().values().panelCustomHeight) << "nothing is captured during a live resize";
    surface.liveResize = false;
    panel->windowDidEndLiveResize();
    fakes.clock.runPosted();
    EXPECT_EQ(state->settings().values().panelCustomHeight, 500.0);
    EXPECT_EQ(state->settings().values().panelTopOffset, 0.0);
    EXPECT_EQ(state->settings().values().panelWidth, 500);

    // Dragging the detached panel down records its distance from the top.
    surface.setFrame(QRectF(940, 300, 500, 500));
    panel->windowDidMove();
    fakes.clock.runPosted();
    EXPECT_EQ(state->settings().values().panelTopOffset, 75.0);

    // Back to nearly full height: full height, no offset.
    surface.setFrame(QRectF(940, 0, 500, 870));
    panel->windowDidEndLiveResize();
    fakes.clock.runPosted();
    EXPECT_FALSE(state->settings().values().panelCustomHeight);
    EXPECT_FALSE(state->settings().values().panelTopOffset);
}

TEST_F(PanelTest, SettingChangesReLayOutOnlyAShownPanel)
{
    showAndSettle();
    state->settings().set(&Settings::panelWidth, 500);
    fakes.clock.runPosted();
    EXPECT_EQ(surface.frame(), QRectF(940, 0, 500, 875));

    state->settings().set(&Settings::screenDockEdge, ScreenDockEdge::Left);
    fakes.clock.runPosted();
    EXPECT_EQ(surface.frame(), QRectF(0, 0, 500, 875));

    panel->hidePanel(false);
    fakes.clock.runPosted();
    state->settings().set(&Settings::panelWidth, 600);
    fakes.clock.runPosted();
    EXPECT_EQ(surface.frame().width(), 500) << "a hidden panel is left as it is";
}

TEST_F(PanelTest, ShowsOnThePointersScreenAndSlidesInWhenAWidthChangeArrivesWithTheShow)
{
    screens.list.append({QRectF(1440, 0, 1920, 1080), QRectF(1440, 0, 1920, 1040)});
    state->settings().set(&Settings::panelWidth, 500);
    panel->showPanel(true);
    fakes.clock.runPosted();
    fakes.clock.advance(1);
    EXPECT_GT(surface.origins.size(), 2) << "it slid in";
    EXPECT_EQ(surface.frame(), QRectF(940, 0, 500, 875));

    panel->hidePanel(false);
    fakes.clock.runPosted();
    screens.pointer = QPointF(2000, 500);
    showAndSettle();
    EXPECT_EQ(surface.frame(), QRectF(2860, 0, 500, 1040));
    screens.list.clear();
    panel->hidePanel(false);
    EXPECT_TRUE(surface.onScreen) << "without screens nothing changes";
}

} // namespace
