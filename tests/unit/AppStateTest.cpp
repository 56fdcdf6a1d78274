#include "FakePorts.h"
#include "state/AppState.h"
#include "shelf/DropItem.h"
#include "web/TabListJson.h"

#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace {

class AppStateTest : public ::testing::Test
{
protected:
    std::unique_ptr<AppState> makeState() { return std::make_unique<AppState>(fakes.ports()); }

    // Records the window follow-ups in the order they are emitted.
    void recordFollowUps(AppState &state)
    {
        QObject::connect(&state.settings(), &SettingsModel::panelWidthLayoutRequested, &state,
                         [this] { followUps.append(QStringLiteral("width")); });
        QObject::connect(&state.settings(), &SettingsModel::panelPositionLayoutRequested, &state,
                         [this] { followUps.append(QStringLiteral("position")); });
        QObject::connect(&state.settings(), &SettingsModel::edgeWindowsRebuildRequested, &state,
                         [this] { followUps.append(QStringLiteral("edges")); });
    }

    FakePorts fakes;
    QStringList followUps;
};

TEST_F(AppStateTest, FirstRunStartsWithInitialValuesAndWritesNothingAndOnlyWebTabsAreActiveTabs)
{
    auto state = makeState();
    EXPECT_EQ(state->settings().values(), Settings{});
    EXPECT_FALSE(state->isInitializing());
    EXPECT_TRUE(fakes.store.writes.isEmpty());

    // No active tab for the scratchpad, the shelf or an unknown id.
    state->content().setActiveItem(ActiveSidebarItem::scratchpad());
    EXPECT_FALSE(state->tabs().activeTab());
    state->content().setActiveItem(ActiveSidebarItem::dropShelf());
    EXPECT_FALSE(state->tabs().activeTab());
    state->tabs().selectTab(QUuid::createUuid());
    EXPECT_TRUE(state->content().activeItem().isWebTab());
    EXPECT_FALSE(state->tabs().activeTab());
}

struct LoadCase { const char *name; const char *key; QVariant stored; std::function<bool(const Settings &)> holds; };

class SettingsLoadTest : public AppStateTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(SettingsLoadTest, AppliesOnlyAcceptedValuesAndWritesNothing)
{
    // Following the system would replace the theme; these cases are about loading.
    fakes.store.values.insert(QStringLiteral("Orvane_followSystemTheme"), false);
    fakes.store.values.insert(QString::fromLatin1(GetParam().key), GetParam().stored);
    auto state = makeState();
    EXPECT_TRUE(GetParam().holds(state->settings().values()));
    EXPECT_TRUE(fakes.store.writes.isEmpty());
    fakes.clock.runPosted();
}

const LoadCase loadCases[] = {
    {"width_below_minimum_is_ignored", "Orvane_panelWidth", 250.0, [](const Settings &s) { return s.panelWidth == 440; }},
    {"width_at_minimum_is_accepted", "Orvane_panelWidth", 300.0, [](const Settings &s) { return s.panelWidth == 300; }},
    {"width_at_maximum_is_accepted", "Orvane_panelWidth", 1400.0, [](const Settings &s) { return s.panelWidth == 1400; }},
    {"width_above_maximum_is_taken_as_the_maximum", "Orvane_panelWidth", 5000.0, [](const Settings &s) { return s.panelWidth == 1400; }},
    {"width_stored_as_text_is_converted", "Orvane_panelWidth", QStringLiteral("512"), [](const Settings &s) { return s.panelWidth == 512; }},
    {"width_that_is_no_number_is_ignored", "Orvane_panelWidth", QStringLiteral("wide"), [](const Settings &s) { return s.panelWidth == 440; }},
    {"infinite_width_is_ignored", "Orvane_panelWidth", QStringLiteral("inf"), [](const Settings &s) { return s.panelWidth == 440; }},
    {"custom_height_of_100_is_ignored", "Orvane_panelCustomHeight", 100.0, [](const Settings &s) { return !s.panelCustomHeight; }},
    {"custom_height_of_100_5_is_accepted", "Orvane_panelCustomHeight", 100.5, [](const Settings &s) { return s.panelCustomHeight == 100.5; }},
    {"negative_top_offset_is_ignored", "Orvane_panelTopOffset", -1.0, [](const Settings &s) { return !s.panelTopOffset; }},
    {"zero_top_offset_is_accepted", "Orvane_panelTopOffset", 0.0, [](const Settings &s) { return s.panelTopOffset == 0.0; }},
    {"zero_duration_is_ignored", "Orvane_animationDuration", 0.0, [](const Settings &s) { return s.animationDuration == 0.25; }},
    {"positive_duration_is_accepted", "Orvane_animationDuration", 0.6, [](const Settings &s) { return s.animationDuration == 0.6; }},
    {"negative_hide_delay_is_ignored", "Orvane_autoHideDelay", -0.1, [](const Settings &s) { return s.autoHideDelay == 0.35; }},
    {"zero_hide_delay_is_accepted", "Orvane_autoHideDelay", 0.0, [](const Settings &s) { return s.autoHideDelay == 0; }},
    {"any_curve_name_is_accepted", "Orvane_animationCurve", QStringLiteral("Linear"), [](const Settings &s) { return s.animationCurve == QLatin1String("Linear"); }},
    {"curve_that_is_no_text_is_ignored", "Orvane_animationCurve", 5.0, [](const Settings &s) { return s.animationCurve == QLatin1String("Spring"); }},
    {"dock_edge_in_capitals_is_ignored", "Orvane_screenDockEdge", QStringLiteral("Right"), [](const Settings &s) { return s.screenDockEdge == ScreenDockEdge::Right; }},
    {"dock_edge_left_is_applied", "Orvane_screenDockEdge", QStringLiteral("left"), [](const Settings &s) { return s.screenDockEdge == ScreenDockEdge::Left; }},
    {"legacy_aurora_loads_as_midnight", "Orvane_currentTheme", QStringLiteral("aurora"), [](const Settings &s) { return s.currentTheme == AppThemeMode::Midnight; }},
    {"legacy_aurora_glass_loads_as_midnight", "Orvane_currentTheme", QStringLiteral("Aurora Glass"), [](const Settings &s) { return s.currentTheme == AppThemeMode::Midnight; }},
    {"legacy_ink_and_rule_loads_as_ember", "Orvane_currentTheme", QStringLiteral("Ink & Rule"), [](const Settings &s) { return s.currentTheme == AppThemeMode::Ember; }},
    {"legacy_inkAndRule_loads_as_ember", "Orvane_currentTheme", QStringLiteral("inkAndRule"), [](const Settings &s) { return s.currentTheme == AppThemeMode::Ember; }},
    {"unknown_theme_leaves_paper", "Orvane_currentTheme", QStringLiteral("Sepia"), [](const Settings &s) { return s.currentTheme == AppThemeMode::Paper; }},
    {"theme_in_lower_case_is_ignored", "Orvane_currentTheme", QStringLiteral("sage"), [](const Settings &s) { return s.currentTheme == AppThemeMode::Paper; }},
    {"theme_by_raw_value_is_applied", "Orvane_currentTheme", QStringLiteral("Sage"), [](const Settings &s) { return s.currentTheme == AppThemeMode::Sage; }},
    {"rail_side_by_raw_value_is_applied", "Orvane_railSidePreference", QStringLiteral("Left (Traditional)"), [](const Settings &s) { return s.railSidePreference == RailSidePreference::Left; }},
    {"rail_side_by_other_text_is_ignored", "Orvane_railSidePreference", QStringLiteral("left"), [](const Settings &s) { return s.railSidePreference == RailSidePreference::AutoMatch; }},
    {"stored_bool_is_applied", "Orvane_edgeHoverEnabled", false, [](const Settings &s) { return !s.edgeHoverEnabled; }},
};

INSTANTIATE_TEST_SUITE_P(Rows, SettingsLoadTest, ::testing::ValuesIn(loadCases), rowName);

TEST_F(AppStateTest, EveryAssignmentWritesAllSeventeenKeysInOrderAndALegacyThemeNameStaysUntilThen)
{
    fakes.store.values.insert(QStringLiteral("Orvane_followSystemTheme"), false);
    fakes.store.values.insert(QStringLiteral("Orvane_currentTheme"), QStringLiteral("aurora"));
    auto state = makeState();
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_currentTheme")), QStringLiteral("aurora"));
    state->settings().set(&Settings::animationCurve, state->settings().values().animationCurve); // unchanged value: still saved
    const QStringList expected = {
        "Orvane_isPinned", "Orvane_panelWidth", "Orvane_panelCustomHeight", "Orvane_panelTopOffset",
        "Orvane_followSystemTheme", "Orvane_animationDuration", "Orvane_animationCurve",
        "Orvane_autoHideOnMouseExit", "Orvane_autoHideDelay", "Orvane_edgeHoverEnabled",
        "Orvane_showDeviceToggleInHeader", "Orvane_showEdgeIndicator", "Orvane_edgeRetouchToHide",
        "Orvane_currentTheme", "Orvane_railSidePreference", "Orvane_screenDockEdge", "Orvane_showMemoryInFooter",
    };
    EXPECT_EQ(fakes.store.writes, expected);
    // No custom height or offset: those keys are removed rather than stored as 0.
    EXPECT_FALSE(fakes.store.contains(QStringLiteral("Orvane_panelCustomHeight")));
    EXPECT_FALSE(fakes.store.contains(QStringLiteral("Orvane_panelTopOffset")));
    EXPECT_EQ(fakes.store.values.size(), 15);
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_currentTheme")), QStringLiteral("Midnight"));

    state->settings().set(&Settings::panelCustomHeight, 480);
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_panelCustomHeight")).toDouble(), 480);
    state->settings().set(&Settings::panelCustomHeight, std::nullopt);
    EXPECT_FALSE(fakes.store.contains(QStringLiteral("Orvane_panelCustomHeight")));
}

TEST_F(AppStateTest, FollowingADarkSystemSavesMidnightAtStartAndOverridesLaterPicks)
{
    fakes.appearance.dark = true;
    auto state = makeState();
    EXPECT_EQ(state->settings().values().currentTheme, AppThemeMode::Midnight);
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_currentTheme")), QStringLiteral("Midnight"));

    state->settings().set(&Settings::currentTheme, AppThemeMode::Nickel);
    fakes.appearance.change(true);
    EXPECT_EQ(state->settings().values().currentTheme, AppThemeMode::Midnight);
    fakes.appearance.change(false);
    EXPECT_EQ(state->settings().values().currentTheme, AppThemeMode::Paper);

    state->settings().set(&Settings::followSystemTheme, false);
    state->settings().set(&Settings::currentTheme, AppThemeMode::Sage);
    fakes.appearance.change(true);
    EXPECT_EQ(state->settings().values().currentTheme, AppThemeMode::Sage);
    // Turning following on applies the system at once.
    state->settings().set(&Settings::followSystemTheme, true);
    EXPECT_EQ(state->settings().values().currentTheme, AppThemeMode::Midnight);
}

TEST_F(AppStateTest, WindowFollowUpsRunOnALaterTurnAfterTheSave)
{
    fakes.store.values.insert(QStringLiteral("Orvane_panelWidth"), 500.0);
    fakes.store.values.insert(QStringLiteral("Orvane_screenDockEdge"), QStringLiteral("left"));
    auto state = makeState();
    recordFollowUps(*state);
    fakes.clock.runPosted();
    EXPECT_TRUE(followUps.isEmpty()) << "loading must not lay out windows";

    state->settings().set(&Settings::screenDockEdge, ScreenDockEdge::Right);
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_screenDockEdge")), QStringLiteral("right"));
    EXPECT_TRUE(followUps.isEmpty());
    fakes.clock.runPosted();
    EXPECT_EQ(followUps, QStringList({"edges", "position"}));

    followUps.clear();
    state->settings().set(&Settings::panelWidth, 600);
    state->settings().set(&Settings::showEdgeIndicator, false);
    fakes.clock.runPosted();
    EXPECT_EQ(followUps, QStringList({"width", "edges"}));
}

TEST_F(AppStateTest, RestoreDefaultsResetsSettingsButNotEdgeHoveringOrTabs)
{
    auto state = makeState();
    state->settings().set(&Settings::edgeHoverEnabled, false);
    state->settings().set(&Settings::currentTheme, AppThemeMode::Blueprint);
    state->settings().set(&Settings::panelWidth, 700);
    state->settings().set(&Settings::screenDockEdge, ScreenDockEdge::Left);
    state->settings().set(&Settings::isPinned, true);
    state->settings().set(&Settings::panelTopOffset, 40);
    state->settings().set(&Settings::showEdgeIndicator, false);
    state->settings().set(&Settings::animationCurve, QStringLiteral("Linear"));
    state->tabs().removeTab(state->tabs().tabs().first().id);
    fakes.clock.runPosted();
    recordFollowUps(*state);

    state->settings().restoreDefaults();
    Settings expected;
    expected.followSystemTheme = false;
    expected.edgeHoverEnabled = false;
    EXPECT_EQ(state->settings().values(), expected);
    EXPECT_EQ(state->tabs().tabs().size(), 6);
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_followSystemTheme")).toBool(), false);

    fakes.clock.runPosted();
    ASSERT_GE(followUps.size(), 2);
    EXPECT_EQ(followUps.mid(followUps.size() - 2), QStringList({"width", "position"}));
}

TEST_F(AppStateTest, AssignedNumbersAreTakenAsLoadingWouldTakeThemSoTheySurviveARestart)
{
    auto state = makeState();
    SettingsModel &settings = state->settings();
    const auto restarted = [this] { return AppState(fakes.ports()).settings().values(); };

    settings.set(&Settings::panelWidth, 250);
    EXPECT_EQ(settings.values().panelWidth, 300) << "below the minimum: the minimum";
    settings.set(&Settings::panelWidth, 5000);
    EXPECT_EQ(settings.values().panelWidth, 1400) << "above the maximum: the maximum";
    EXPECT_EQ(restarted().panelWidth, 1400);
    settings.set(&Settings::panelWidth, 250);
    settings.set(&Settings::panelWidth, qQNaN());
    EXPECT_EQ(settings.values().panelWidth, 300) << "not a number: refused";
    settings.set(&Settings::autoHideDelay, -1);
    EXPECT_EQ(settings.values().autoHideDelay, 0);
    settings.set(&Settings::panelTopOffset, -20.0);
    EXPECT_EQ(settings.values().panelTopOffset, 0.0);
    settings.set(&Settings::panelCustomHeight, 500.0);
    settings.set(&Settings::panelCustomHeight, 100.0);
    EXPECT_EQ(settings.values().panelCustomHeight, 500.0) << "no height above the bound to take: refused";
    settings.set(&Settings::animationDuration, 0);
    EXPECT_EQ(settings.values().animationDuration, 0.25);
    EXPECT_EQ(restarted(), settings.values());

    settings.set(&Settings::panelCustomHeight, std::nullopt);
    EXPECT_FALSE(restarted().panelCustomHeight) << "no height is a value too";
}

TEST_F(AppStateTest, ATabThatComesOnScreenIsNeverLeftFlaggedAsleep)
{
    // Stored asleep, first in the list: it is on screen at start.
    QList<TabModel> stored = TabModel::defaultTabs(fakes.clock.now());
    stored[0].isHibernated = true;
    stored[1].isHibernated = true;
    fakes.store.setData(QStringLiteral("Orvane_Tabs"), TabListJson::encode(stored));
    auto state = makeState();
    EXPECT_FALSE(state->tabs().activeTab()->isHibernated);

    // Removing the tab on screen puts the next first tab there.
    state->tabs().removeTab(state->tabs().tabs().first().id);
    ASSERT_EQ(state->tabs().activeTab()->id, stored[1].id);
    EXPECT_FALSE(state->tabs().activeTab()->isHibernated);
}

struct RailCase { const char *name; RailSidePreference preference; AppThemeMode theme; ScreenDockEdge dock; PanelEdge expected; };

class RailSideTest : public AppStateTest, public ::testing::WithParamInterface<RailCase> {};

TEST_P(RailSideTest, FollowsPreferenceThenTheme)
{
    auto state = makeState();
    state->settings().set(&Settings::followSystemTheme, false);
    state->settings().set(&Settings::railSidePreference, GetParam().preference);
    state->settings().set(&Settings::currentTheme, GetParam().theme);
    state->settings().set(&Settings::screenDockEdge, GetParam().dock);
    EXPECT_EQ(state->settings().effectiveRailSide(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RailSideTest,
    ::testing::Values(
        RailCase{"auto_ember_docked_right_is_right", RailSidePreference::AutoMatch, AppThemeMode::Ember, ScreenDockEdge::Right, PanelEdge::Right},
        RailCase{"auto_ember_docked_left_is_left", RailSidePreference::AutoMatch, AppThemeMode::Ember, ScreenDockEdge::Left, PanelEdge::Left},
        RailCase{"auto_sage_docked_right_is_left", RailSidePreference::AutoMatch, AppThemeMode::Sage, ScreenDockEdge::Right, PanelEdge::Left},
        RailCase{"right_wins_over_theme", RailSidePreference::Right, AppThemeMode::Sage, ScreenDockEdge::Left, PanelEdge::Right},
        RailCase{"left_wins_over_ember", RailSidePreference::Left, AppThemeMode::Ember, ScreenDockEdge::Right, PanelEdge::Left}),
    rowName);

TEST_F(AppStateTest, MemoryIsSampledEveryTwoSeconds)
{
    auto state = makeState();
    EXPECT_EQ(state->liveMemoryMB(), 120);
    fakes.memory.proportional = 200ull << 20;
    fakes.clock.advance(1.9);
    EXPECT_EQ(state->liveMemoryMB(), 120);
    fakes.clock.advance(0.1);
    EXPECT_EQ(state->liveMemoryMB(), 200);
    fakes.memory.proportional.reset();
    fakes.memory.resident.reset();
    fakes.clock.advance(2.0);
    EXPECT_EQ(state->liveMemoryMB(), 34);
    state.reset();
    EXPECT_EQ(fakes.clock.activeTimerCount(), 0u);
}

TEST_F(AppStateTest, TriggerContextAIStagesTheContextOnAnAITab)
{
    auto state = makeState();
    const QList<TabModel> tabs = state->tabs().tabs();
    CapturedContext context;
    context.text = QStringLiteral("  selected text \n");
    context.appName = QStringLiteral("Shortcut");

    // From a non-AI tab with the settings open: the first AI tab takes over.
    state->tabs().selectTab(tabs.at(3).id);
    state->content().setShowSettingsModal(true);
    state->triggerContextAI(context, QStringLiteral("explain"));
    EXPECT_EQ(state->capturedContext(), context);
    EXPECT_EQ(state->stagedPromptAction(), QStringLiteral("explain"));
    EXPECT_FALSE(state->content().showSettingsModal());
    EXPECT_TRUE(state->isPanelVisible());
    EXPECT_EQ(state->tabs().activeTab()->id, tabs.at(0).id);

    // An active AI tab stays active.
    state->tabs().selectTab(tabs.at(1).id);
    state->triggerContextAI(context, std::nullopt);
    EXPECT_EQ(state->tabs().activeTab()->id, tabs.at(1).id);
    EXPECT_FALSE(state->stagedPromptAction());

    // Without AI tabs, the first tab; from the scratchpad too.
    state->tabs().removeTab(tabs.at(0).id);
    state->tabs().removeTab(tabs.at(1).id);
    state->content().setActiveItem(ActiveSidebarItem::scratchpad());
    state->triggerContextAI(context, std::nullopt);
    EXPECT_EQ(state->tabs().activeTab()->id, tabs.at(2).id);

    // With no tabs at all, nothing is selected but the context is staged.
    for (const TabModel &tab : state->tabs().tabs())
        state->tabs().removeTab(tab.id);
    state->setIsPanelVisible(false);
    state->triggerContextAI(context, std::nullopt);
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::scratchpad());
    EXPECT_TRUE(state->capturedContext());
    EXPECT_TRUE(state->isPanelVisible());
}

TEST_F(AppStateTest, RemovingATabOffersUndoForSixSecondsThatPutsItBackAsItWas)
{
    auto state = makeState();
    PanelNotice &notice = state->notice();
    const QList<TabModel> before = state->tabs().tabs();
    state->tabs().toggleUserAgent(before.at(2).id);
    state->tabs().selectTab(before.at(2).id);
    const TabModel removed = state->tabs().tabs().at(2);

    state->tabs().removeTab(removed.id);
    EXPECT_EQ(state->tabs().tabs().size(), 6);
    ASSERT_TRUE(notice.isUndoOffer());
    EXPECT_EQ(notice.text(), QStringLiteral("Removed ") + removed.title + QStringLiteral(" — Undo"));
    fakes.clock.advance(PanelNotice::shownSeconds - 0.1);
    notice.press();
    EXPECT_FALSE(notice.isShown());
    ASSERT_EQ(state->tabs().tabs().size(), 7);
    EXPECT_EQ(state->tabs().tabs().at(2), removed) << "at its place, with its id, address, mode and icon";
    EXPECT_EQ(state->tabs().activeTab()->id, removed.id);
    const auto stored = TabListJson::decode(fakes.store.dataValue(QStringLiteral("Orvane_Tabs")).value_or(QByteArray()), fakes.clock.now());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->at(2).id, removed.id) << "and saved";

    state->tabs().removeTab(removed.id);
    fakes.clock.advance(PanelNotice::shownSeconds);
    EXPECT_FALSE(notice.isShown()) << "the offer lapses";
    notice.press();
    EXPECT_EQ(state->tabs().tabs().size(), 6);
}

TEST_F(AppStateTest, ASecondDestructiveActionReplacesTheFirstOfferWhichBecomesFinal)
{
    auto state = makeState();
    const TabModel first = state->tabs().tabs().first();
    state->settings().set(&Settings::followSystemTheme, false);
    state->settings().set(&Settings::currentTheme, AppThemeMode::Blueprint);
    state->settings().set(&Settings::panelWidth, 500);
    const Settings chosen = state->settings().values();
    state->tabs().removeTab(first.id);

    state->settings().restoreDefaults();
    EXPECT_EQ(state->settings().values().panelWidth, Settings().panelWidth);
    EXPECT_EQ(state->notice().text(), QStringLiteral("Restored the default settings — Undo"));
    fakes.clock.advance(PanelNotice::shownSeconds - 0.1);
    state->notice().press();
    EXPECT_EQ(state->settings().values(), chosen);
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_panelWidth")).toInt(), 500);
    EXPECT_EQ(state->tabs().tabs().size(), 6) << "the replaced offer is gone for good";
    EXPECT_FALSE(state->notice().isShown());
}

TEST_F(AppStateTest, ClearingTheShelfKeepsOrvanesSnippetFilesUntilTheUndoOfferLapses)
{
    auto state = makeState();
    const DropItem snippet = DropItem::fromText(QStringLiteral("Kept until the offer lapses"));
    const DropItem link = DropItem::fromUrl(QUrl(QStringLiteral("https://example.test/page")));
    state->shelf().addDropItems({snippet, link});
    const QList<DropItem> items = state->shelf().items();
    const QString file = snippet.fileURL->toLocalFile();

    state->shelf().clearDropShelf();
    EXPECT_TRUE(state->shelf().items().isEmpty());
    EXPECT_TRUE(QFile::exists(file));
    state->notice().press();
    EXPECT_EQ(state->shelf().items(), items);

    state->shelf().clearDropShelf();
    fakes.clock.advance(PanelNotice::shownSeconds - 0.1);
    EXPECT_TRUE(QFile::exists(file));
    fakes.clock.advance(0.1);
    EXPECT_FALSE(state->notice().isShown());
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(AppStateTest, AnyTabCanBeTheAITabAndWithoutOneThePanelSaysWhereToGetOne)
{
    auto state = makeState();
    const QList<TabModel> tabs = state->tabs().tabs();
    for (const TabModel &tab : tabs)
        state->tabs().setTabIsAIProvider(tab.id, false);
    state->tabs().selectTab(tabs.at(5).id);

    EXPECT_FALSE(state->showAITab());
    EXPECT_EQ(state->tabs().activeTab()->id, tabs.at(5).id);
    ASSERT_TRUE(state->notice().isShown());
    EXPECT_EQ(state->notice().text(), QStringLiteral("No AI tab — add one from the gallery"));
    EXPECT_EQ(state->notice().buttonTitle(), QStringLiteral("Open Gallery"));
    state->notice().press();
    EXPECT_TRUE(state->content().showAppGallery());

    state->tabs().setTabIsAIProvider(tabs.at(4).id, true);
    const auto stored = TabListJson::decode(fakes.store.dataValue(QStringLiteral("Orvane_Tabs")).value_or(QByteArray()), fakes.clock.now());
    ASSERT_TRUE(stored);
    EXPECT_TRUE(stored->at(4).isAIProvider) << "kept in the tab's record";
    EXPECT_TRUE(state->showAITab());
    EXPECT_EQ(state->tabs().activeTab()->id, tabs.at(4).id);
    EXPECT_FALSE(state->notice().isShown());
}

} // namespace
