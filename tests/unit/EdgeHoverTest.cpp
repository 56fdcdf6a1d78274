#include "EventLoopWait.h"
#include "FakeInput.h"
#include "FakePanelWorld.h"
#include "TestFiles.h"
#include "TitlesOf.h"
#include "panel/EdgeHoverDetector.h"
#include "panel/EdgeLayout.h"
#include "shelf/DropShelfStorage.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// ---- Where the strips and notches go

struct LayoutCase
{
    const char *name;
    QList<ScreenGeometry> screens;
    ScreenDockEdge edge;
    bool indicator;
    EdgeLayout::Frames expected;
};

const ScreenGeometry mainScreen{QRectF(0, 0, 1440, 900), QRectF(0, 0, 1440, 875)};
// A second screen to the right, lower and smaller.
const ScreenGeometry secondScreen{QRectF(1440, -200, 1280, 800), QRectF(1440, -200, 1280, 800)};

class EdgeLayoutFrames : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(EdgeLayoutFrames, OneStripPerScreenAndANotchAtTheMiddleOfItsEdge)
{
    const LayoutCase &c = GetParam();
    EXPECT_EQ(EdgeLayout::frames(c.screens, c.edge, c.indicator), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EdgeLayoutFrames,
    ::testing::Values(
        LayoutCase{"no_screens_no_windows", {}, ScreenDockEdge::Right, true, {}},
        LayoutCase{"right_edge", {mainScreen}, ScreenDockEdge::Right, true,
                   {{QRectF(1434, 0, 6, 900), QRectF(1429, 422, 11, 56)}, {QRectF(1420, 422, 20, 56)}}},
        LayoutCase{"left_edge", {mainScreen}, ScreenDockEdge::Left, true,
                   {{QRectF(0, 0, 6, 900), QRectF(0, 422, 11, 56)}, {QRectF(0, 422, 20, 56)}}},
        LayoutCase{"indicator_off_no_notches", {mainScreen}, ScreenDockEdge::Right, false,
                   {{QRectF(1434, 0, 6, 900)}, {}}},
        LayoutCase{"every_screen_in_order_right", {mainScreen, secondScreen}, ScreenDockEdge::Right, true,
                   {{QRectF(1434, 0, 6, 900), QRectF(1429, 422, 11, 56), QRectF(2714, -200, 6, 800),
                     QRectF(2709, 172, 11, 56)},
                    {QRectF(1420, 422, 20, 56), QRectF(2700, 172, 20, 56)}}},
        LayoutCase{"every_screen_in_order_left", {mainScreen, secondScreen}, ScreenDockEdge::Left, false,
                   {{QRectF(0, 0, 6, 900), QRectF(1440, -200, 6, 800)}, {}}}), rowName);

// ---- The detector on fakes

class EdgeHover : public FakePanelWorld
{
protected:
    EdgeHover()
    {
        detector = std::make_unique<EdgeHoverDetector>(*state, fakes.clock, screens, *panel, *visibility, strips);
        detector->start();
    }

    // The strip reports the pointer; the decision is a task on the main queue.
    void enter()
    {
        strips.handlers.pointerEntered();
        fakes.clock.runPosted();
    }

    bool shown() const { return state->isPanelVisible(); }

    // A panel hidden at the current time, its slide over.
    void hideNow()
    {
        panel->hidePanel(false);
        fakes.clock.runPosted();
    }

    // A panel shown now whose pointer then moved inward, as the policy sees it.
    void showAndMoveInward()
    {
        screens.pointer = QPointF(1437, 400);
        panel->showPanel(true);
        fakes.clock.advance(0.3);
        screens.pointer = QPointF(1200, 400);
        visibility->pointerMoved();
        ASSERT_TRUE(visibility->hasMovedInward());
        screens.pointer = QPointF(1436, 400);
    }

    FakeEdgeStrips strips;
    std::unique_ptr<EdgeHoverDetector> detector;
};

TEST_F(EdgeHover, StartBuildsAStripPerScreenScreensAndSettingsRebuildThemAndStopRemovesThem)
{
    EXPECT_EQ(strips.frames, (QList<QRectF>{QRectF(1434, 0, 6, 900), QRectF(1429, 422, 11, 56)}));
    EXPECT_EQ(detector->frames().notches, QList<QRectF>{QRectF(1420, 422, 20, 56)});
    screens.list.append(secondScreen);
    detector->screenParametersChanged();
    EXPECT_EQ(strips.frames.size(), 4) << "a strip and a notch's strip on each";

    state->settings().set(&Settings::showEdgeIndicator, false);
    EXPECT_EQ(detector->frames().notches.size(), 2) << "the rebuild runs after the setting is stored";
    fakes.clock.runPosted();
    EXPECT_TRUE(detector->frames().notches.isEmpty());
    state->settings().set(&Settings::showEdgeIndicator, true);
    fakes.clock.runPosted();
    EXPECT_EQ(detector->frames().notches.size(), 2);
    detector->stop();
    EXPECT_TRUE(strips.frames.isEmpty());
    EXPECT_TRUE(detector->frames().notches.isEmpty());
}

TEST_F(EdgeHover, ADockEdgeChangeMovesTheStripsAndThenThePanel)
{
    panel->showPanel(false);
    fakes.clock.runPosted();
    QList<double> atRebuild; // the strip's x and the panel's x
    QObject::connect(detector.get(), &EdgeHoverDetector::edgeWindowsRebuilt,
                     [&] { atRebuild = {strips.frames.value(0).x(), surface.frame().x()}; });
    state->settings().set(&Settings::screenDockEdge, ScreenDockEdge::Left);
    fakes.clock.runPosted();
    EXPECT_EQ(atRebuild, (QList<double>{0, 1000})) << "the strips move first, then the panel";
    EXPECT_EQ(surface.frame().x(), 0);
    EXPECT_EQ(detector->builtForEdge(), ScreenDockEdge::Left);
}

TEST_F(EdgeHover, TheStripsLetInputThroughWhileThePanelIsShown)
{
    EXPECT_TRUE(strips.takesInput);
    panel->showPanel(false);
    fakes.clock.runPosted();
    EXPECT_FALSE(strips.takesInput);
    detector->screenParametersChanged();
    EXPECT_FALSE(strips.takesInput) << "a rebuild keeps it";
    hideNow();
    EXPECT_TRUE(strips.takesInput);
}

TEST_F(EdgeHover, EnteringOpensAtOnceThenOnlyHalfASecondAfterAClose)
{
    state->settings().set(&Settings::edgeHoverEnabled, false);
    enter();
    EXPECT_FALSE(shown()) << "edge hover off";
    state->settings().set(&Settings::edgeHoverEnabled, true);
    enter();
    EXPECT_TRUE(shown()) << "before any close";

    hideNow();
    fakes.clock.advance(0.49);
    enter();
    EXPECT_FALSE(shown()) << "0.49 s after closing";
    fakes.clock.advance(0.01);
    enter();
    EXPECT_TRUE(shown()) << "0.5 s after closing";
}

TEST_F(EdgeHover, RetouchHidesLaterThanAThirdOfASecondAfterOpeningWithTheSettingTheInwardMoveAndNoButtonHeld)
{
    showAndMoveInward();
    fakes.clock.advance(0.05);
    enter();
    EXPECT_TRUE(shown()) << "exactly 0.35 s after opening";
    fakes.clock.advance(0.001);
    screens.buttonPressed = true;
    enter();
    EXPECT_TRUE(shown()) << "a button held, as while dragging a window";
    screens.buttonPressed = false;
    state->settings().set(&Settings::edgeRetouchToHide, false);
    enter();
    EXPECT_TRUE(shown()) << "retouch off";
    state->settings().set(&Settings::edgeRetouchToHide, true);
    enter();
    EXPECT_FALSE(shown()) << "later than 0.35 s";
    panel->showPanel(true); // opening afresh forgets the inward move
    fakes.clock.advance(1);
    enter();
    EXPECT_TRUE(shown()) << "not moved inward";
}

TEST_F(EdgeHover, AClickTogglesWhateverTheHoverSettings)
{
    state->settings().set(&Settings::edgeHoverEnabled, false);
    strips.handlers.pressed();
    fakes.clock.advance(1);
    EXPECT_TRUE(shown());
    detector->clicked();
    fakes.clock.advance(1);
    EXPECT_FALSE(shown());
    EXPECT_FALSE(surface.onScreen);
}

TEST_F(EdgeHover, ADragOverTheStripOpensTheShelfOnlyWithEdgeHoverOn)
{
    strips.handlers.dragEntered();
    fakes.clock.runPosted();
    EXPECT_TRUE(shown());
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::dropShelf());

    hideNow();
    state->content().setActiveItem(ActiveSidebarItem::scratchpad());
    state->settings().set(&Settings::edgeHoverEnabled, false);
    strips.handlers.dragEntered();
    fakes.clock.runPosted();
    EXPECT_FALSE(shown());
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::scratchpad());

    detector->notchDragEntered();
    fakes.clock.runPosted();
    EXPECT_TRUE(shown()) << "the notch does not ask";
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::dropShelf());
}

// ---- Drops

class EdgeDrop : public EdgeHover
{
protected:
    QStringList shelfTitles() const { return titlesOf(state->shelf().items()); }
    // The records are made off the main thread and staged on a later turn.
    bool shelfHolds(qsizetype count) const
    {
        return spinUntil([&] { return state->shelf().items().size() == count; }, 5000);
    }
};

// The edge takes what the shelf's own intake takes, newest first, whatever the settings.
TEST_F(EdgeDrop, AddressesInTheirOrderOrElseTextsAreStagedAsTheShelfsIntakeTakesThem)
{
    state->shelf().setItems({DropItem::fromUrl(QUrl(QStringLiteral("https://old.example/")))});
    state->settings().set(&Settings::edgeHoverEnabled, false);
    const DragPayload payload{{QUrl::fromLocalFile(QStringLiteral("/tmp/one.pdf")), QUrl(QStringLiteral("https://two.example/x"))},
                              {QStringLiteral("ignored text")}};
    EXPECT_TRUE(strips.handlers.dropped(payload)) << "not gated by any setting";
    EXPECT_EQ(shelfTitles(), QStringList{QStringLiteral("old.example")}) << "staged on a later turn";
    ASSERT_TRUE(shelfHolds(3));
    EXPECT_EQ(shelfTitles(), (QStringList{QStringLiteral("one.pdf"), QStringLiteral("two.example"), QStringLiteral("old.example")}));

    state->shelf().setItems({});
    QTemporaryDir folder;
    const QString notes = folder.filePath(QStringLiteral("notes.txt"));
    ASSERT_TRUE(writeFile(notes, "Quarterly notes\nline two"));
    EXPECT_TRUE(detector->performDrop({{}, {QStringLiteral("first note"), QUrl::fromLocalFile(notes).toString()}}));
    ASSERT_TRUE(shelfHolds(2));
    EXPECT_EQ(shelfTitles(), (QStringList{QStringLiteral("first note"), QStringLiteral("Quarterly notes")}))
        << "a text file's address stages its content";
    EXPECT_TRUE(detector->performDrop({{QUrl(QStringLiteral("javascript:alert(1)"))}, {}}));
    ASSERT_TRUE(shelfHolds(3));
    EXPECT_EQ(state->shelf().items().at(0).kind, DropItemKind::Text) << "only web and mail addresses are links";
}

TEST_F(EdgeDrop, ADragThatStagesNothingIsRefusedAndWritesNothing)
{
    const QDir snippets(DropShelfStorage::snippetsDirectory());
    const QStringList before = snippets.entryList(QDir::Files);
    const std::pair<const char *, DragPayload> rows[] = {
        {"neither addresses nor text", {}}, {"blank text", {{}, {QStringLiteral(" \n\t ")}}},
        {"addresses without a scheme", {{QUrl(QStringLiteral("no-scheme"))}, {}}},
    };
    for (const auto &[name, payload] : rows)
        EXPECT_FALSE(detector->performDrop(payload)) << name;
    EXPECT_EQ(snippets.entryList(QDir::Files), before) << "no snippet file for blank text";
}

TEST_F(EdgeDrop, StagingShowsTheShelfClosesTheSettingsAndLeavesThePanelAlone)
{
    state->content().setShowSettingsModal(true);
    detector->performDrop({{QUrl(QStringLiteral("https://a.example/"))}, {}});
    ASSERT_TRUE(shelfHolds(1));
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::dropShelf());
    EXPECT_FALSE(state->content().showSettingsModal());
    EXPECT_FALSE(shown());
}

} // namespace
