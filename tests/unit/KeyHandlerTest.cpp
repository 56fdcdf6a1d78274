#include "FakeCaptureDesktop.h"
#include "FakeInput.h"
#include "FakePanelWorld.h"
#include "FakeWebPage.h"
#include "input/CaptureAction.h"
#include "input/GlobalHotkeyManager.h"
#include "input/KeyRules.h"
#include "input/PanelCommands.h"
#include "web/HibernationEngine.h"
#include "web/TabList.h"

#include <gtest/gtest.h>

namespace {

using Kind = KeyCommand::Kind;

KeyStroke stroke(Qt::KeyboardModifiers modifiers, const QString &character, Qt::Key usKey)
{
    return {modifiers, character, usKey};
}

QStringList textsOf(const QList<HotKey> &hotKeys)
{
    QStringList texts;
    for (const HotKey &hotKey : hotKeys)
        texts.append(hotKey.text());
    return texts;
}

const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
const Qt::KeyboardModifiers alt = Qt::AltModifier;
const Qt::KeyboardModifiers ctrlAlt = Qt::ControlModifier | Qt::AltModifier;

struct RuleCase { const char *name; KeyStroke stroke; std::optional<KeyCommand> command; };

class KeyRuleTable : public ::testing::TestWithParam<RuleCase> {};

TEST_P(KeyRuleTable, MatchesExactlyTheseModifiers)
{
    EXPECT_EQ(KeyRules::commandFor(GetParam().stroke), GetParam().command);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyRuleTable,
    ::testing::Values(
        RuleCase{"ctrl_k_palette", stroke(ctrl, "k", Qt::Key_K), KeyCommand{Kind::FlipCommandPalette}},
        RuleCase{"ctrl_comma_settings", stroke(ctrl, ",", Qt::Key_Comma), KeyCommand{Kind::FlipSettings}},
        RuleCase{"ctrl_1_scratchpad", stroke(ctrl, "1", Qt::Key_1), KeyCommand{Kind::ShowScratchpad}},
        RuleCase{"ctrl_2_shelf", stroke(ctrl, "2", Qt::Key_2), KeyCommand{Kind::ShowDropShelf}},
        RuleCase{"ctrl_3_first_tab", stroke(ctrl, "3", Qt::Key_3), KeyCommand{Kind::SelectTab, 0}},
        RuleCase{"ctrl_9_seventh_tab", stroke(ctrl, "9", Qt::Key_9), KeyCommand{Kind::SelectTab, 6}},
        RuleCase{"ctrl_w_close_tab", stroke(ctrl, "w", Qt::Key_W), KeyCommand{Kind::CloseActiveTab}},
        RuleCase{"ctrl_r_reload", stroke(ctrl, "r", Qt::Key_R), KeyCommand{Kind::ReloadActiveTab}},
        RuleCase{"ctrl_equals_zoom_in", stroke(ctrl, "=", Qt::Key_Equal), KeyCommand{Kind::ZoomIn}},
        RuleCase{"ctrl_keypad_plus_zoom_in", stroke(ctrl, "+", Qt::Key_Plus), KeyCommand{Kind::ZoomIn}},
        RuleCase{"ctrl_minus_zoom_out", stroke(ctrl, "-", Qt::Key_Minus), KeyCommand{Kind::ZoomOut}},
        RuleCase{"ctrl_0_page_size", stroke(ctrl, "0", Qt::Key_0), KeyCommand{Kind::ZoomReset}},
        RuleCase{"ctrl_f_find", stroke(ctrl, "f", Qt::Key_F), KeyCommand{Kind::FindInPage}},
        RuleCase{"ctrl_z_undo_notice", stroke(ctrl, "z", Qt::Key_Z), KeyCommand{Kind::UndoNotice}},
        RuleCase{"ctrl_q_quit", stroke(ctrl, "q", Qt::Key_Q), KeyCommand{Kind::Quit}},
        RuleCase{"ctrl_escape", stroke(ctrl, "", Qt::Key_Escape), KeyCommand{Kind::Escape}},
        RuleCase{"ctrl_other_key_passes", stroke(ctrl, "j", Qt::Key_J), std::nullopt},
        RuleCase{"ctrl_shift_k_passes", stroke(ctrl | Qt::ShiftModifier, "k", Qt::Key_K), std::nullopt},
        RuleCase{"ctrl_meta_k_passes", stroke(ctrl | Qt::MetaModifier, "k", Qt::Key_K), std::nullopt},
        RuleCase{"k_alone_passes", stroke({}, "k", Qt::Key_K), std::nullopt},
        RuleCase{"alt_space_toggle", stroke(alt, " ", Qt::Key_Space), KeyCommand{Kind::TogglePanel}},
        RuleCase{"ctrl_alt_space_toggle", stroke(ctrlAlt, " ", Qt::Key_Space), KeyCommand{Kind::TogglePanel}},
        RuleCase{"alt_m_toggle", stroke(alt, "m", Qt::Key_M), KeyCommand{Kind::TogglePanel}},
        RuleCase{"alt_s_toggle", stroke(alt, "s", Qt::Key_S), KeyCommand{Kind::TogglePanel}},
        RuleCase{"ctrl_alt_m_nothing", stroke(ctrlAlt, "m", Qt::Key_M), std::nullopt},
        RuleCase{"ctrl_alt_s_nothing", stroke(ctrlAlt, "s", Qt::Key_S), std::nullopt},
        RuleCase{"alt_a_capture", stroke(alt, "a", Qt::Key_A), KeyCommand{Kind::Capture}},
        RuleCase{"ctrl_alt_a_capture", stroke(ctrlAlt, "a", Qt::Key_A), KeyCommand{Kind::Capture}},
        RuleCase{"alt_other_key_passes", stroke(alt, "x", Qt::Key_X), std::nullopt},
        RuleCase{"alt_escape", stroke(alt, "", Qt::Key_Escape), KeyCommand{Kind::Escape}},
        RuleCase{"escape_alone", stroke({}, "", Qt::Key_Escape), KeyCommand{Kind::Escape}},
        RuleCase{"shift_escape", stroke(Qt::ShiftModifier, "", Qt::Key_Escape), KeyCommand{Kind::Escape}},
        RuleCase{"cyrillic_layout_by_place", stroke(ctrl, QStringLiteral("\u043b"), Qt::Key_K),
                 KeyCommand{Kind::FlipCommandPalette}},
        RuleCase{"azerty_ampersand_by_place", stroke(ctrl, "&", Qt::Key_1), KeyCommand{Kind::ShowScratchpad}},
        RuleCase{"moved_letter_by_character", stroke(ctrl, "k", Qt::Key_V), KeyCommand{Kind::FlipCommandPalette}}), rowName);

TEST(HotKeyTable, AreTheTogglesAndCapturesOnly)
{
    EXPECT_TRUE(KeyRules::isHotKey(stroke(alt, " ", Qt::Key_Space)));
    EXPECT_FALSE(KeyRules::isHotKey(stroke(ctrlAlt, "m", Qt::Key_M)));
}

// ---- The manager and the commands, on fakes

class KeyHandler : public FakePanelWorld
{
protected:
    KeyHandler()
    {
        hibernation = std::make_unique<HibernationEngine>(*state, fakes.clock, pages);
        capture = std::make_unique<CaptureAction>(*state, *panel, captureDesktop.detector);
        commands = std::make_unique<PanelCommands>(*state, *panel, *hibernation, *capture);
        manager = std::make_unique<GlobalHotkeyManager>(*commands, fakes.clock, hotKeys, local, global);
    }

    void showPanel()
    {
        panel->showPanel(false);
        fakes.clock.runPosted();
    }

    // A press in Orvane's window; answers whether it was swallowed.
    bool pressLocally(const KeyStroke &s)
    {
        const bool swallowed = local.press(s);
        fakes.clock.advance(1);
        return swallowed;
    }

    void pressElsewhere(const KeyStroke &s)
    {
        global.press(s);
        fakes.clock.advance(1);
    }

    FakeWebPageFactory pages;
    FakeHotKeys hotKeys;
    FakeKeyMonitor local;
    FakeKeyMonitor global;
    std::unique_ptr<HibernationEngine> hibernation;
    FakeCaptureDesktop captureDesktop{fakes.clock};
    std::unique_ptr<CaptureAction> capture;
    std::unique_ptr<PanelCommands> commands;
    std::unique_ptr<GlobalHotkeyManager> manager;
};

TEST_F(KeyHandler, StartingTwiceLeavesOneHandlerOneRegistrationEachAndOneMonitorOfEachKindAndListsTheRefused)
{
    hotKeys.ownedElsewhere = {3, 4};
    manager->start();
    manager->start();
    EXPECT_EQ(hotKeys.handlersInstalled, 1);
    EXPECT_EQ(hotKeys.registered, (QSet<quint32>{1, 2, 5, 6})) << "those owned elsewhere are skipped";
    EXPECT_EQ(textsOf(manager->refusedHotKeys()), (QStringList{"Alt+Space", "Ctrl+Alt+Space"}));
    EXPECT_EQ(manager->registeredHotKeys().size(), 4);
    EXPECT_EQ(local.installed, 1);
    EXPECT_EQ(global.installed, 1);
    manager->stop();
    manager->stop();
    EXPECT_EQ(hotKeys.handlersInstalled, 0);
    EXPECT_TRUE(hotKeys.registered.isEmpty());
    EXPECT_EQ(local.installed, 0);
    EXPECT_EQ(global.installed, 0);
}

TEST_F(KeyHandler, CombinationsRefusedAfterAKeyboardMappingChangeAreListedUntilHeldAgain)
{
    hotKeys.ownedElsewhere = {3};
    manager->start();
    int changes = 0;
    QObject::connect(manager.get(), &GlobalHotkeyManager::registrationsChanged, [&] { ++changes; });
    hotKeys.changeMapping({3, 5, 6});
    EXPECT_EQ(textsOf(manager->refusedHotKeys()), (QStringList{"Alt+Space", "Alt+S", "Alt+M"}));
    EXPECT_EQ(textsOf(manager->registeredHotKeys()), (QStringList{"Alt+A", "Ctrl+Alt+A", "Ctrl+Alt+Space"}));
    EXPECT_EQ(changes, 2);
    hotKeys.changeMapping({5});
    EXPECT_EQ(textsOf(manager->refusedHotKeys()), (QStringList{"Alt+Space", "Alt+S"}))
        << "held again; one refused at the start is not asked for again";
    EXPECT_EQ(changes, 3);
    manager->stop();
    EXPECT_TRUE(hotKeys.registered.isEmpty()) << "the refused one is given up too";
}

TEST_F(KeyHandler, WithoutAHandlerTheFailureIsPrintedAndEveryCombinationListed)
{
    hotKeys.installStatus = 1;
    ::testing::internal::CaptureStdout();
    manager->start();
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "⚠️ [Orvane] Failed to install hot key handler: 1\n");
    EXPECT_EQ(manager->refusedHotKeys().size(), 6);
    EXPECT_EQ(local.installed, 1) << "the key handler still works in Orvane's windows";
    manager->stop();
    EXPECT_EQ(hotKeys.handlersInstalled, 0);
}

TEST_F(KeyHandler, HotKeysToggleAndCaptureOnALaterTurnAlsoWithoutAnAITab)
{
    manager->start();
    hotKeys.pressed(3);
    EXPECT_FALSE(surface.onScreen) << "decided now, done as a task";
    fakes.clock.advance(1);
    EXPECT_TRUE(state->isPanelVisible());
    hotKeys.pressed(6);
    fakes.clock.advance(1);
    EXPECT_FALSE(state->isPanelVisible());
    hotKeys.pressed(99);
    fakes.clock.advance(1);
    EXPECT_FALSE(state->isPanelVisible()) << "unknown ids do nothing";

    state->content().setActiveItem(ActiveSidebarItem::scratchpad());
    hotKeys.pressed(1);
    fakes.clock.advance(1);
    EXPECT_TRUE(state->isPanelVisible());
    const auto active = state->tabs().activeTab();
    ASSERT_TRUE(active);
    EXPECT_TRUE(active->isAIProvider);

    for (const TabModel &tab : QList<TabModel>(state->tabs().tabs())) {
        if (tab.isAIProvider)
            state->tabs().removeTab(tab.id);
    }
    state->content().setActiveItem(ActiveSidebarItem::dropShelf());
    hotKeys.pressed(6);
    hotKeys.pressed(1);
    fakes.clock.advance(1);
    EXPECT_TRUE(state->isPanelVisible()) << "a capture without an AI tab still shows the panel";
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::dropShelf());
}

TEST_F(KeyHandler, EscapeLeavesFullScreenThenDismissesTheStagedContextThenClosesThePaletteTheGalleryTheSettingsThenThePanel)
{
    manager->start();
    CapturedContext context;
    context.text = QStringLiteral("selected");
    state->triggerContextAI(context, std::nullopt);
    showPanel();
    state->content().setShowSettingsModal(true);
    state->content().setShowAppGallery(true);
    state->content().setShowCommandPalette(true);
    state->content().setPageFullScreen(true);
    const KeyStroke escape = stroke({}, "", Qt::Key_Escape);
    EXPECT_TRUE(pressLocally(escape));
    EXPECT_FALSE(state->content().isPageFullScreen());
    EXPECT_TRUE(state->capturedContext());
    pressLocally(escape);
    EXPECT_FALSE(state->capturedContext());
    EXPECT_TRUE(state->content().showCommandPalette());
    pressLocally(escape);
    EXPECT_FALSE(state->content().showCommandPalette());
    EXPECT_TRUE(state->content().showAppGallery());
    pressLocally(escape);
    EXPECT_FALSE(state->content().showAppGallery());
    EXPECT_TRUE(state->content().showSettingsModal());
    EXPECT_TRUE(state->isPanelVisible());
    pressLocally(escape);
    EXPECT_FALSE(state->content().showSettingsModal());
    EXPECT_TRUE(state->isPanelVisible());
    pressLocally(escape);
    EXPECT_FALSE(state->isPanelVisible());
}

TEST_F(KeyHandler, PaletteAndSettingsFlipOnlyWhileThePanelIsVisible)
{
    manager->start();
    EXPECT_TRUE(pressLocally(stroke(ctrl, "k", Qt::Key_K))) << "swallowed even so";
    EXPECT_FALSE(state->content().showCommandPalette());
    showPanel();
    pressLocally(stroke(ctrl, "k", Qt::Key_K));
    EXPECT_TRUE(state->content().showCommandPalette());
    pressLocally(stroke(ctrl, ",", Qt::Key_Comma));
    EXPECT_TRUE(state->content().showSettingsModal());
    EXPECT_FALSE(pressLocally(stroke(ctrl | Qt::ShiftModifier, "k", Qt::Key_K)));
    EXPECT_TRUE(state->content().showCommandPalette());
}

TEST_F(KeyHandler, CtrlDigitsWalkTheRailScratchpadShelfThenTabs)
{
    manager->start();
    showPanel();
    pressLocally(stroke(ctrl, "2", Qt::Key_2));
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::dropShelf());
    pressLocally(stroke(ctrl, "1", Qt::Key_1));
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::scratchpad());
    pressLocally(stroke(ctrl, "4", Qt::Key_4));
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::webTab(state->tabs().tabs().at(1).id));
    pressLocally(stroke(ctrl, "9", Qt::Key_9));
    ASSERT_EQ(state->tabs().tabs().size(), 7);
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::webTab(state->tabs().tabs().at(6).id));
    state->tabs().removeTab(state->tabs().tabs().at(6).id);
    pressLocally(stroke(ctrl, "4", Qt::Key_4));
    pressLocally(stroke(ctrl, "9", Qt::Key_9));
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::webTab(state->tabs().tabs().at(1).id))
        << "no tab there: nothing changes";
}

TEST_F(KeyHandler, CtrlWClosesCtrlZBringsBackCtrlRReloadsTheActiveTabAndCtrlQQuits)
{
    manager->start();
    showPanel();
    int quits = 0;
    QObject::connect(commands.get(), &PanelCommands::quitRequested, [&] { ++quits; });
    const TabModel second = state->tabs().tabs().at(1);
    state->tabs().selectTab(second.id);
    pressLocally(stroke(ctrl, "r", Qt::Key_R));
    ASSERT_TRUE(hibernation->existingWebView(second.id));
    EXPECT_EQ(static_cast<FakeWebPage *>(hibernation->existingWebView(second.id))->reloads, 1);
    pressLocally(stroke(ctrl, "w", Qt::Key_W));
    EXPECT_FALSE(TabList::indexOf(state->tabs().tabs(), second.id) >= 0);
    ASSERT_TRUE(state->notice().isUndoOffer());
    EXPECT_TRUE(pressLocally(stroke(ctrl, "z", Qt::Key_Z)));
    EXPECT_EQ(TabList::indexOf(state->tabs().tabs(), second.id), 1) << "the notice's Undo";
    EXPECT_FALSE(state->notice().isShown());
    EXPECT_FALSE(pressLocally(stroke(ctrl, "z", Qt::Key_Z))) << "no offer: the focused editor's own undo";
    pressLocally(stroke(ctrl, "q", Qt::Key_Q));
    EXPECT_EQ(quits, 1);
}

TEST_F(KeyHandler, ZoomAndFindActOnTheShownTabOnlyAndEscapeEndsTheSearch)
{
    manager->start();
    showPanel();
    state->content().setActiveItem(ActiveSidebarItem::scratchpad());
    EXPECT_FALSE(pressLocally(stroke(ctrl, "-", Qt::Key_Minus))) << "no page shown: the editor's key";
    EXPECT_FALSE(pressLocally(stroke(ctrl, "f", Qt::Key_F)));
    EXPECT_FALSE(state->content().isFindingInPage());

    const QUuid id = state->tabs().tabs().at(1).id;
    state->tabs().selectTab(id);
    auto &page = static_cast<FakeWebPage &>(hibernation->getOrCreateWebView(state->tabs().tabs().at(1)));
    const auto zoom = [&] { return state->tabs().tabs().at(1).zoomPercent(); };
    EXPECT_TRUE(pressLocally(stroke(ctrl, "-", Qt::Key_Minus)));
    pressLocally(stroke(ctrl, "-", Qt::Key_Minus));
    EXPECT_EQ(zoom(), 80);
    EXPECT_EQ(page.zoomPercent, 80);
    EXPECT_TRUE(fakes.store.dataValue(QStringLiteral("Orvane_Tabs"))->contains(R"("desktopZoom":80)")) << "saved";
    page.observers.zoomAsked(true);
    fakes.clock.runPosted();
    EXPECT_EQ(zoom(), 90) << "Ctrl with the wheel";
    state->tabs().toggleUserAgent(id);
    EXPECT_EQ(page.zoomPercent, 100) << "the phone identity keeps its own zoom";
    pressLocally(stroke(ctrl, "=", Qt::Key_Equal));
    pressLocally(stroke(ctrl, "0", Qt::Key_0));
    EXPECT_EQ(zoom(), 100);
    EXPECT_EQ(state->tabs().tabs().at(1).desktopZoomPercent, 90);

    EXPECT_TRUE(pressLocally(stroke(ctrl, "f", Qt::Key_F)));
    EXPECT_TRUE(state->content().isFindingInPage());
    pressLocally(stroke({}, "", Qt::Key_Escape));
    EXPECT_FALSE(state->content().isFindingInPage());
    EXPECT_TRUE(state->isPanelVisible()) << "the first Escape only ends the search";
}

TEST_F(KeyHandler, PressesElsewhereAreWatchedButNeverForTheirOwnShortcuts)
{
    manager->start();
    showPanel();
    const qsizetype tabs = state->tabs().tabs().size();
    pressElsewhere(stroke(ctrl, "w", Qt::Key_W));
    pressElsewhere(stroke(ctrl, "q", Qt::Key_Q));
    pressElsewhere(stroke(ctrl, "3", Qt::Key_3));
    EXPECT_EQ(state->tabs().tabs().size(), tabs);
    EXPECT_EQ(global.press(stroke(alt, " ", Qt::Key_Space)), false) << "a hot key arrives as a hot key";
    fakes.clock.advance(1);
    EXPECT_TRUE(state->isPanelVisible());

    pressElsewhere(stroke(ctrl, "2", Qt::Key_2));
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::dropShelf());
    pressElsewhere(stroke(ctrl, "k", Qt::Key_K));
    EXPECT_TRUE(state->content().showCommandPalette());
    pressElsewhere(stroke({}, "", Qt::Key_Escape));
    EXPECT_FALSE(state->content().showCommandPalette());
}

} // namespace
