// The settings screen's pages, search, texts and controls, without a display.
#include "FakePorts.h"
#include "FakeWebPage.h"
#include "settings/SettingsScreen.h"
#include "state/AppState.h"
#include "web/HibernationEngine.h"

#include <QFile>
#include <QKeySequence>

#include <gtest/gtest.h>

namespace {

using Page = SettingsSubpage;

class SettingsScreenTest : public ::testing::Test
{
protected:
    SettingsScreenTest() { fakes.store.values.insert(QStringLiteral("Orvane_followSystemTheme"), false); }

    SettingsScreen &screen(bool selectionReadable = true)
    {
        if (!m_screen) {
            state = std::make_unique<AppState>(fakes.ports());
            hibernation = std::make_unique<HibernationEngine>(*state, fakes.clock, pages);
            m_screen = std::make_unique<SettingsScreen>(
                *state, *hibernation, SettingsScreen::System{QStringLiteral("/usr/bin/orvane"), selectionReadable, {}});
        }
        return *m_screen;
    }
    QStringList matching(const char *query)
    {
        screen().setSearchQuery(QString::fromUtf8(query));
        QStringList titles;
        for (Page page : screen().matchingPages())
            titles.append(SettingsScreen::title(page));
        return titles;
    }
    SettingsModel &settings() { return state->settings(); }

    FakePorts fakes;
    FakeWebPageFactory pages;
    std::unique_ptr<AppState> state;
    std::unique_ptr<HibernationEngine> hibernation;

private:
    std::unique_ptr<SettingsScreen> m_screen;
};

TEST_F(SettingsScreenTest, SearchMatchesTitlesInAnyCaseWithoutTrimming)
{
    EXPECT_EQ(matching("mo"), QStringList({"Motion", "Memory"}));
    EXPECT_EQ(matching("SIZE"), QStringList({"Position & size"}));
    EXPECT_EQ(matching(" "), QStringList({"Position & size", "Drop Shelf"}));
    EXPECT_EQ(matching("  "), QStringList());
    EXPECT_EQ(screen().matchingHeading(), QStringLiteral("MATCHING SETTINGS (0)"));
}

struct SearchCase
{
    const char *name;
    const char *query;
    // The pages found, then each control found as "title @ page".
    QStringList found;
};

class SettingsSearch : public SettingsScreenTest, public ::testing::WithParamInterface<SearchCase>
{
};

TEST_P(SettingsSearch, FindsPagesAndTheControlsOnThem)
{
    QStringList found = matching(GetParam().query);
    for (const SettingsScreen::Setting &setting : screen().matchingSettings())
        found.append(setting.title + QStringLiteral(" @ ") + SettingsScreen::title(setting.page));
    EXPECT_EQ(found, GetParam().found);
    EXPECT_EQ(screen().matchingHeading(), QStringLiteral("MATCHING SETTINGS (%1)").arg(found.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SettingsSearch,
    ::testing::Values(
        SearchCase{"theme_finds_the_theme_and_following_the_system", "theme",
                   {"Theme @ Appearance", "Follow system @ Appearance"}},
        SearchCase{"a_theme_name_finds_the_theme", "midnight", {"Theme @ Appearance"}},
        SearchCase{"width_finds_both_width_sliders", "WIDTH",
                   {"Panel width @ Appearance", "Panel width @ Position & size"}},
        SearchCase{"notch_finds_the_indicator", "notch", {"Whisper Notch indicator @ Position & size"}},
        SearchCase{"delay_finds_the_slide_and_the_memory_saver", "delay",
                   {"Slide duration @ Motion", "Memory saver @ Memory"}},
        SearchCase{"hibernate_finds_the_memory_controls", "hibernate",
                   {"Memory saver @ Memory", "Wake every tab @ Memory"}},
        SearchCase{"a_page_title_finds_the_page_and_its_words", "shelf",
                   {"Drop Shelf", "Clear All Items @ Drop Shelf", "Show Drop Shelf @ Shortcuts"}},
        SearchCase{"login_finds_start_at_login", "login", {"Start at login @ Permissions"}},
        SearchCase{"a_curve_by_name", "linear", {"Animation curve @ Motion"}},
        SearchCase{"nothing_matches", "zebra", {}}),
    rowName);

TEST_F(SettingsScreenTest, AFoundControlOpensItsPageUntilAPageIsOpenedOtherwise)
{
    screen().setSearchQuery(QStringLiteral("notch"));
    const QList<SettingsScreen::Setting> found = screen().matchingSettings();
    ASSERT_EQ(found.size(), 1);
    screen().showSetting(found.first());
    EXPECT_EQ(screen().currentSubpage(), Page::PositionAndSize);
    EXPECT_EQ(screen().soughtSetting(), QStringLiteral("Whisper Notch indicator"));
    screen().showPage(std::nullopt);
    EXPECT_EQ(screen().soughtSetting(), QString());
}

TEST_F(SettingsScreenTest, DetailTextsFollowTheSettings)
{
    SettingsScreen &s = screen();
    const QString dot = QStringLiteral(" \u00B7 ");
    EXPECT_EQ(s.detailText(Page::Appearance), QStringLiteral("Paper"));
    EXPECT_EQ(s.detailText(Page::PositionAndSize), QStringLiteral("Right") + dot + QStringLiteral("440 px"));
    EXPECT_EQ(s.detailText(Page::Motion), QStringLiteral("Spring") + dot + QStringLiteral("0.25 s"));
    EXPECT_EQ(s.detailText(Page::Memory), QStringLiteral("2 of 7 asleep"));
    EXPECT_EQ(s.detailText(Page::DropShelf), QStringLiteral("Clears after 24 h"));
    EXPECT_EQ(s.detailText(Page::Permissions), QStringLiteral("Selection access granted"));

    settings().set(&Settings::screenDockEdge, ScreenDockEdge::Left);
    settings().set(&Settings::panelWidth, 512.4);
    settings().set(&Settings::animationCurve, QStringLiteral("Ease In Out"));
    settings().set(&Settings::animationDuration, 0.3);
    settings().set(&Settings::currentTheme, AppThemeMode::Blueprint);
    state->tabs().setTabHibernated(state->tabs().tabs().at(0).id);
    EXPECT_EQ(s.detailText(Page::PositionAndSize), QStringLiteral("Left") + dot + QStringLiteral("512 px"));
    EXPECT_EQ(s.detailText(Page::Motion), QStringLiteral("Ease In Out") + dot + QStringLiteral("0.30 s"));
    EXPECT_EQ(s.detailText(Page::Appearance), QStringLiteral("Blueprint"));
    EXPECT_EQ(s.detailText(Page::Memory), QStringLiteral("3 of 7 asleep"));
    EXPECT_EQ(s.asleepOverview(), QStringLiteral("3 of 7 Web Apps Asleep"));
    EXPECT_EQ(s.memoryFigure(), QStringLiteral("120 MB RAM"));
    EXPECT_TRUE(s.memoryExplanation().startsWith(
        QStringLiteral("Live RAM used by Orvane and its web pages (proportional set size): 120 MB. ")));
    while (state->tabs().tabs().size() > 1)
        state->tabs().removeTab(state->tabs().tabs().constLast().id);
    EXPECT_EQ(s.asleepOverview(), QStringLiteral("1 of 1 Web App Asleep"));
}

TEST_F(SettingsScreenTest, PermissionsSayWhetherTheSelectionCanBeRead)
{
    EXPECT_EQ(screen(false).detailText(Page::Permissions), QStringLiteral("Selection access unavailable"));
    EXPECT_FALSE(screen().selectionReadable());
}

TEST_F(SettingsScreenTest, ChoosingAThemeCardStopsFollowingTheSystem)
{
    fakes.store.values.insert(QStringLiteral("Orvane_followSystemTheme"), true);
    fakes.appearance.dark = true;
    screen();
    ASSERT_EQ(settings().values().currentTheme, AppThemeMode::Midnight);
    screen().chooseTheme(AppThemeMode::Nickel);
    EXPECT_FALSE(settings().values().followSystemTheme);
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_currentTheme")), QStringLiteral("Nickel"));
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_followSystemTheme")), false);
    fakes.appearance.change(false);
    fakes.appearance.change(true);
    EXPECT_EQ(settings().values().currentTheme, AppThemeMode::Nickel) << "kept through appearance changes";
}

TEST_F(SettingsScreenTest, SlidersOfferTheirRangeInWholeSteps)
{
    const SettingsScreen::SliderScale &width = SettingsScreen::widthScale;
    EXPECT_EQ(width.positions(), 110);
    EXPECT_EQ(width.valueAt(0), 300) << "the panel's own narrowest width";
    EXPECT_EQ(width.valueAt(14), 440);
    EXPECT_EQ(width.valueAt(999), 1400) << "the panel's own widest width";
    EXPECT_EQ(width.positionOf(250), 0);
    EXPECT_EQ(width.positionOf(444), 14);
    EXPECT_EQ(width.positionOf(1400), 110);

    const SettingsScreen::SliderScale &duration = SettingsScreen::durationScale;
    EXPECT_EQ(duration.positions(), 10);
    EXPECT_EQ(duration.valueAt(3), 0.25) << "exactly";
    EXPECT_EQ(duration.valueAt(10), 0.6);
    EXPECT_EQ(duration.positionOf(0.25), 3);
}

TEST_F(SettingsScreenTest, ResetToFullHeightClearsHeightAndOffset)
{
    screen();
    settings().set(&Settings::panelCustomHeight, 500.0);
    settings().set(&Settings::panelTopOffset, 40.0);
    EXPECT_EQ(screen().customHeightText(), QStringLiteral("Height: 500"));
    screen().resetToFullHeight();
    EXPECT_FALSE(settings().values().panelCustomHeight);
    EXPECT_FALSE(settings().values().panelTopOffset);
    EXPECT_FALSE(fakes.store.values.contains(QStringLiteral("Orvane_panelCustomHeight")));
    EXPECT_EQ(screen().customHeightText(), QStringLiteral("Panel is docked to full screen height."));
}

TEST_F(SettingsScreenTest, ShowingTheScreenStartsAtTheRootWithAnEmptySearch)
{
    screen().showPage(Page::Motion);
    screen().setSearchQuery(QStringLiteral("mo"));
    state->content().setShowSettingsModal(true);
    EXPECT_FALSE(screen().currentSubpage());
    EXPECT_TRUE(screen().searchQuery().isEmpty());
}

TEST_F(SettingsScreenTest, ClearAllItemsEmptiesTheShelf)
{
    screen();
    state->shelf().addDropItems({DropItem::fromText(QStringLiteral("note"))});
    EXPECT_EQ(screen().stagedItemsText(), QStringLiteral("Currently staged items: 1"));
    screen().clearShelf();
    EXPECT_FALSE(screen().hasStagedItems());
}

TEST_F(SettingsScreenTest, ShortcutsAreWrittenAsTheKeyHandlerWritesThemAndRefusedOnesAreMarked)
{
    QStringList globalKeys;
    for (const SettingsScreen::ShortcutRow &row : screen().shortcutRows()) {
        if (row.scope == ShortcutList::Scope::Global) {
            for (const SettingsScreen::KeyLabel &key : row.keys)
                globalKeys.append(key.text);
        }
    }
    QStringList written;
    for (const QKeyCombination combination : {QKeyCombination(Qt::AltModifier, Qt::Key_A),
                                              QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_A),
                                              QKeyCombination(Qt::AltModifier, Qt::Key_Space),
                                              QKeyCombination(Qt::ControlModifier | Qt::AltModifier, Qt::Key_Space),
                                              QKeyCombination(Qt::AltModifier, Qt::Key_S),
                                              QKeyCombination(Qt::AltModifier, Qt::Key_M)}) {
        written.append(QKeySequence(combination).toString(QKeySequence::PortableText));
    }
    EXPECT_EQ(globalKeys, written);
    EXPECT_EQ(screen().detailText(Page::Shortcuts), QStringLiteral("15 bound"));

    screen().setRefusedHotKeys({QStringLiteral("Alt+S"), QStringLiteral("Ctrl+K")});
    QStringList refused;
    for (const SettingsScreen::ShortcutRow &row : screen().shortcutRows()) {
        for (const SettingsScreen::KeyLabel &key : row.keys) {
            if (key.refused)
                refused.append(key.text);
        }
    }
    EXPECT_EQ(refused, QStringList({"Alt+S"})) << "only system-wide combinations are grabbed";
    EXPECT_EQ(screen().detailText(Page::Shortcuts), QStringLiteral("14 bound"));
}

TEST_F(SettingsScreenTest, StartAtLoginWritesAndRemovesTheAutostartEntry)
{
    QFile::remove(AutostartEntry::path());
    EXPECT_FALSE(screen().startsAtLogin());
    EXPECT_TRUE(screen().setStartsAtLogin(true));
    EXPECT_TRUE(screen().startsAtLogin());
    EXPECT_TRUE(QFile::exists(AutostartEntry::path()));
    EXPECT_TRUE(screen().setStartsAtLogin(false));
    EXPECT_FALSE(QFile::exists(AutostartEntry::path()));
}

} // namespace
