#include "FakePanelWorld.h"

#include <gtest/gtest.h>

namespace {

// A shown panel docked right on a 1440-point wide screen, at x 1000.
class Visibility : public FakePanelWorld
{
protected:
    Visibility()
    {
        screens.pointer = QPointF(1439, 400);
        panel->showPanel(true);
        fakes.clock.advance(1);
    }

    void movePointer(double x, double y = 400)
    {
        screens.pointer = QPointF(x, y);
        visibility->pointerMoved();
    }

    bool shown() const { return surface.onScreen; }

    // Lets any hide slide finish.
    void settle() { fakes.clock.advance(1); }
};

TEST_F(Visibility, LeavingHidesAfterTheDelayCountedFromTheFirstMoveOutsideUnlessThePointerComesBack)
{
    movePointer(1200);
    EXPECT_FALSE(visibility->isAutoHidePending()) << "inside the panel";
    movePointer(600);
    fakes.clock.advance(0.2);
    movePointer(1200);
    EXPECT_FALSE(visibility->isAutoHidePending()) << "back inside";
    settle();
    ASSERT_TRUE(shown());

    movePointer(600);
    EXPECT_TRUE(visibility->isAutoHidePending());
    fakes.clock.advance(0.2);
    movePointer(500); // further movement outside does not restart the delay
    fakes.clock.advance(0.14);
    EXPECT_TRUE(shown());
    fakes.clock.advance(0.02);
    EXPECT_TRUE(panel->isAnimating()) << "the slide out began 0.35 s after the first move outside";
    settle();
    EXPECT_FALSE(shown());
}

TEST_F(Visibility, ZeroDelayStillWaitsATenthOfASecond)
{
    state->settings().set(&Settings::autoHideDelay, 0);
    movePointer(600);
    fakes.clock.advance(0.09);
    EXPECT_TRUE(shown());
    fakes.clock.advance(0.02);
    settle();
    EXPECT_FALSE(shown());
}

TEST_F(Visibility, WithoutAutoHideOnlyAClickOutsideHides)
{
    state->settings().set(&Settings::autoHideOnMouseExit, false);
    movePointer(600);
    settle();
    EXPECT_TRUE(shown());
    screens.pointer = QPointF(1200, 400);
    visibility->mouseButtonPressed();
    EXPECT_TRUE(shown()) << "a click inside the panel";
    screens.pointer = QPointF(600, 400);
    screens.overOwnWindow = true;
    visibility->mouseButtonPressed();
    EXPECT_TRUE(shown()) << "a click on another window of ours";
    screens.overOwnWindow = false;
    visibility->mouseButtonPressed();
    settle();
    EXPECT_FALSE(shown());
}

// The tray item sits outside the panel: its press hides the panel as a click
// elsewhere, before or after the click's toggle arrives; so does the keyboard leaving.
TEST_F(Visibility, ATrayClickOrTheKeyboardLeavingHidesAShownPanelWhicheverComesFirst)
{
    screens.pointer = QPointF(600, 890);
    visibility->mouseButtonPressed();
    fakes.clock.advance(0.2);
    visibility->toggleFromOutside();
    settle();
    EXPECT_FALSE(shown()) << "the press came first";

    visibility->toggleFromOutside();
    settle();
    ASSERT_TRUE(shown()) << "a later click shows it";
    visibility->toggleFromOutside();
    visibility->mouseButtonPressed();
    settle();
    EXPECT_FALSE(shown()) << "the toggle came first";

    screens.pointer = QPointF(1439, 400);
    panel->showPanel(true);
    settle();
    screens.pointer = QPointF(600, 890);
    visibility->mouseButtonPressed();
    fakes.clock.advance(1);
    visibility->toggleFromOutside();
    settle();
    EXPECT_TRUE(shown()) << "a toggle long after a click elsewhere shows the panel";

    // Where clicks in other applications never reach Orvane, the keyboard
    // leaving it stands for them, wherever the pointer was last seen.
    screens.pointer = QPointF(1200, 400);
    visibility->keyboardLeftOrvane();
    visibility->toggleFromOutside();
    settle();
    EXPECT_FALSE(shown()) << "the tray click that took the keyboard does not show it again";
}

TEST_F(Visibility, APinnedPanelStaysButTheEdgeTouchStillHidesIt)
{
    state->settings().set(&Settings::isPinned, true);
    movePointer(600);
    settle();
    visibility->mouseButtonPressed();
    visibility->keyboardLeftOrvane();
    settle();
    EXPECT_TRUE(shown());
    movePointer(1437);
    settle();
    EXPECT_FALSE(shown());
}

TEST_F(Visibility, APanelHeldByAPagesOwnWindowStaysUntilItGoes)
{
    state->setPanelHeld(true);
    movePointer(600);
    settle();
    visibility->mouseButtonPressed();
    visibility->keyboardLeftOrvane();
    movePointer(1400);
    movePointer(1437);
    settle();
    EXPECT_TRUE(shown()) << "leaving, a click elsewhere, the keyboard going and the edge touch while a pop-up is up";
    state->setPanelHeld(false);
    movePointer(600);
    visibility->mouseButtonPressed();
    settle();
    EXPECT_FALSE(shown());
}

TEST_F(Visibility, AFiringThatDidNotHideWaitsForThePointerToComeBack)
{
    movePointer(600);
    state->settings().set(&Settings::isPinned, true);
    fakes.clock.advance(0.5);
    EXPECT_TRUE(shown());
    state->settings().set(&Settings::isPinned, false);
    movePointer(550);
    fakes.clock.advance(1);
    EXPECT_TRUE(shown()) << "the fired timer is still recorded";
    movePointer(1200);
    movePointer(600);
    settle();
    EXPECT_FALSE(shown());
}

TEST_F(Visibility, EdgeTouchNeedsAnInwardMoveFirst)
{
    state->settings().set(&Settings::autoHideOnMouseExit, false);
    movePointer(1415);
    movePointer(1439);
    EXPECT_FALSE(visibility->hasMovedInward()) << "1415 is not yet 30 points in";
    EXPECT_TRUE(shown());
    movePointer(1400);
    EXPECT_TRUE(visibility->hasMovedInward());
    movePointer(1436);
    EXPECT_TRUE(shown());
    movePointer(1437);
    settle();
    EXPECT_FALSE(shown());
    EXPECT_FALSE(visibility->hasMovedInward());
}

TEST_F(Visibility, EdgeTouchWaitsOutTheGraceTimeAndIgnoresDrags)
{
    state->settings().set(&Settings::autoHideOnMouseExit, false);
    panel->hidePanel(false);
    fakes.clock.runPosted();
    panel->showPanel(false);
    fakes.clock.runPosted();
    movePointer(1300);
    fakes.clock.advance(0.3);
    movePointer(1439);
    EXPECT_TRUE(shown()) << "0.3 s after showing";
    screens.buttonPressed = true;
    fakes.clock.advance(0.1);
    movePointer(1438);
    EXPECT_TRUE(shown()) << "dragging something to the edge";
    screens.buttonPressed = false;
    movePointer(1439);
    settle();
    EXPECT_FALSE(shown());

    // Switched off, the gesture does nothing.
    panel->showPanel(false);
    fakes.clock.runPosted();
    state->settings().set(&Settings::edgeRetouchToHide, false);
    fakes.clock.advance(1);
    movePointer(1300);
    movePointer(1439);
    EXPECT_TRUE(shown());
}

TEST_F(Visibility, DockedLeftMirrorsTheGesture)
{
    state->settings().set(&Settings::autoHideOnMouseExit, false);
    state->settings().set(&Settings::screenDockEdge, ScreenDockEdge::Left);
    panel->hidePanel(false);
    fakes.clock.runPosted();
    screens.pointer = QPointF(0, 400);
    panel->showPanel(false);
    fakes.clock.advance(1);
    movePointer(25);
    EXPECT_FALSE(visibility->hasMovedInward());
    movePointer(31);
    movePointer(3);
    settle();
    EXPECT_FALSE(shown());
}

} // namespace
