// The command palette's rows and what they do, without a display.
#include "FakePorts.h"
#include "FakeWebPage.h"
#include "TitlesOf.h"
#include "icons/Symbols.h"
#include "math/CurrencyEngine.h"
#include "palette/CommandPalette.h"
#include "state/AppState.h"
#include "web/HibernationEngine.h"

#include <gtest/gtest.h>

namespace {

class Palette : public ::testing::Test
{
protected:
    Palette()
    {
        fakes.store.values.insert(QStringLiteral("Orvane_followSystemTheme"), false);
        state = std::make_unique<AppState>(fakes.ports());
        hibernation = std::make_unique<HibernationEngine>(*state, fakes.clock, pages);
        currency = std::make_unique<CurrencyEngine>(fakes.store);
        palette = std::make_unique<CommandPalette>(
            *state, *hibernation, *currency,
            CommandPalette::Effects{[this](const QString &text) { copied.append(text); }, [this] { ++captures; }});
        state->content().setShowCommandPalette(true);
    }

    QStringList titles() const { return titlesOf(palette->filteredCommands()); }
    QStringList titlesFor(const QString &query)
    {
        palette->setQuery(query);
        return titles();
    }
    bool isOpen() const { return state->content().showCommandPalette(); }

    static inline const QStringList fixedTitles = {"Capture Selection to AI", "Open Scratchpad & Math", "Open Drop Shelf",
                                                   "Hibernate Inactive Tabs Now", "Pin Orvane (Keep visible)"};

    FakePorts fakes;
    FakeWebPageFactory pages;
    std::unique_ptr<AppState> state;
    std::unique_ptr<HibernationEngine> hibernation;
    std::unique_ptr<CurrencyEngine> currency;
    std::unique_ptr<CommandPalette> palette;
    QStringList copied;
    int captures = 0;
};

TEST_F(Palette, AnEmptyQueryListsEveryTabThenTheFiveCommandsAndReturnRunsTheFirstRow)
{
    QStringList expected;
    for (const QString &title : titlesOf(state->tabs().tabs()))
        expected.append(QStringLiteral("Switch to ") + title);
    EXPECT_EQ(titles(), expected + fixedTitles);

    state->tabs().selectTab(state->tabs().tabs().at(3).id);
    palette->executeSelected();
    EXPECT_EQ(state->tabs().activeTab()->title, QStringLiteral("Claude"));
    EXPECT_FALSE(isOpen());

    while (!state->tabs().tabs().isEmpty())
        state->tabs().removeTab(state->tabs().tabs().first().id);
    state->content().setShowCommandPalette(true);
    EXPECT_EQ(titles(), fixedTitles);
    palette->executeSelected();
    EXPECT_EQ(captures, 1) << "without tabs Return runs the capture";
    EXPECT_FALSE(isOpen());
}

TEST_F(Palette, ACalculationComesFirstAndCopiesItsBareAnswer)
{
    palette->setQuery(QStringLiteral("2+3"));
    const QList<CommandItem> items = palette->filteredCommands();
    ASSERT_FALSE(items.isEmpty());
    EXPECT_EQ(items.first().title, QStringLiteral("= 5"));
    EXPECT_EQ(items.first().subtitle, QStringLiteral("Calculation result (click to copy)"));
    EXPECT_EQ(items.first().iconName, QStringLiteral("equal.circle.fill"));
    palette->executeSelected();
    EXPECT_EQ(copied, QStringList({"5"}));
    EXPECT_FALSE(isOpen());

    EXPECT_EQ(titlesFor(QStringLiteral("1/3")).value(0), QStringLiteral("= 0.333333")) << "six significant digits";
    EXPECT_EQ(titlesFor(QStringLiteral("10^20")).value(0), QStringLiteral("= 1e+20"));
    EXPECT_EQ(titlesFor(QStringLiteral("5 km in miles")).value(0), QStringLiteral("= 3.1069 mi")) << "as the scratchpad shows it";
}

struct AddressCase
{
    const char *name;
    const char *query;
    // Empty: no address row.
    const char *opens;
};

class PaletteAddresses : public Palette, public ::testing::WithParamInterface<AddressCase> {};

TEST_P(PaletteAddresses, OnlyHttpAndHttpsAddressesWithAHostBecomeTabs)
{
    const AddressCase &row = GetParam();
    palette->setQuery(QString::fromUtf8(row.query));
    const QList<CommandItem> items = palette->filteredCommands();
    const auto address = std::find_if(items.cbegin(), items.cend(),
                                      [](const CommandItem &item) { return item.iconName == QLatin1String("safari.fill"); });
    if (!*row.opens) {
        EXPECT_EQ(address, items.cend()) << address->appURL->toString().toStdString();
        return;
    }
    ASSERT_NE(address, items.cend());
    EXPECT_EQ(address->title, QStringLiteral("Open '%1'").arg(QString::fromUtf8(row.query).trimmed()));
    EXPECT_EQ(address->subtitle, QStringLiteral("Navigate to web address"));
    const qsizetype before = state->tabs().tabs().size();
    palette->execute(int(address - items.cbegin()));
    ASSERT_EQ(state->tabs().tabs().size(), before + 1);
    const TabModel &tab = state->tabs().tabs().constLast();
    EXPECT_EQ(tab.url, QUrl(QString::fromUtf8(row.opens)));
    EXPECT_EQ(tab.title, tab.url.host());
    EXPECT_EQ(state->tabs().activeTab()->id, tab.id);
    EXPECT_FALSE(isOpen());
}

const AddressCase addressCases[] = {
    {"word_dot_word_gets_https", "example.com", "https://example.com"},
    {"http_address_is_kept", "http://example.com/a?b=1", "http://example.com/a?b=1"},
    {"surrounding_spaces_are_ignored", "  example.com  ", "https://example.com"},
    {"other_scheme_is_refused", "javascript:alert(1).x", ""}, {"space_means_no_address", "example .com", ""},
    {"word_without_a_dot_means_no_address", "notes", ""},
    {"local_server_with_port_gets_http", "localhost:3000", "http://localhost:3000"},
};

INSTANTIATE_TEST_SUITE_P(Rows, PaletteAddresses, ::testing::ValuesIn(addressCases), rowName);

TEST_F(Palette, TabsMatchByTitleOrAddressInAnyCase)
{
    palette->setQuery(QStringLiteral("GMAIL"));
    const QList<CommandItem> items = palette->filteredCommands();
    ASSERT_EQ(items.size(), 1);
    const CommandItem &gmail = items.first();
    EXPECT_EQ(gmail.title, QStringLiteral("Switch to Gmail"));
    EXPECT_EQ(gmail.subtitle, QStringLiteral("mail.google.com"));
    EXPECT_EQ(gmail.appKey, QStringLiteral("gmail"));
    EXPECT_EQ(gmail.color, CommandColor::Blue);

    palette->setQuery(QStringLiteral("claude.ai"));
    ASSERT_EQ(titles().value(1), QStringLiteral("Switch to Claude")) << "after the address row";
    EXPECT_EQ(palette->filteredCommands().at(1).color, CommandColor::Purple) << "an AI tab";
    palette->execute(1);
    EXPECT_EQ(state->tabs().activeTab()->title, QStringLiteral("Claude"));
}

TEST_F(Palette, FixedCommandsMatchTheirKeywordsOnly)
{
    EXPECT_EQ(titlesFor(QStringLiteral("calc")), QStringList({"Open Scratchpad & Math"}));
    EXPECT_EQ(titlesFor(QStringLiteral(" \tcalc  ")), QStringList({"Open Scratchpad & Math"})) << "trimmed";
    EXPECT_EQ(titlesFor(QStringLiteral("scratchpad calc")), QStringList()) << "no keyword string holds it";
    EXPECT_EQ(titlesFor(QStringLiteral("open")), QStringList({"Pin Orvane (Keep visible)"})) << "titles are not searched";
    EXPECT_EQ(titlesFor(QStringLiteral("zzqx")), QStringList());
    palette->executeSelected();
    EXPECT_TRUE(isOpen()) << "nothing to run: the palette stays open";
}

TEST_F(Palette, CommandsDoWhatTheySay)
{
    const auto run = [this](const char *query) {
        palette->setQuery(QString::fromLatin1(query));
        palette->executeSelected();
        state->content().setShowCommandPalette(true);
    };
    state->content().setShowSettingsModal(true);
    run("scratchpad");
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::scratchpad());
    EXPECT_FALSE(state->content().showSettingsModal());
    run("staging");
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::dropShelf());
    run("summarize");
    EXPECT_EQ(captures, 1);

    state->tabs().selectTab(state->tabs().tabs().at(0).id);
    for (int i = 0; i < 2; ++i)
        hibernation->getOrCreateWebView(state->tabs().tabs().at(i));
    run("hibernate");
    EXPECT_FALSE(state->tabs().tabs().at(0).isHibernated) << "the active tab stays awake";
    EXPECT_TRUE(state->tabs().tabs().at(1).isHibernated);
    EXPECT_EQ(hibernation->activeMemoryTabCount(), 1);
}

TEST_F(Palette, ThePinCommandFollowsThePinnedStateEachTimeTheListIsBuilt)
{
    palette->setQuery(QStringLiteral("pin"));
    EXPECT_EQ(palette->filteredCommands().value(0).iconName, QStringLiteral("pin.fill"));
    palette->executeSelected();
    EXPECT_TRUE(state->settings().values().isPinned);
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_isPinned")), true) << "saved";
    const CommandItem unpin = palette->filteredCommands().value(0);
    EXPECT_EQ(unpin.title, QStringLiteral("Unpin Orvane (Auto-hide on blur)"));
    EXPECT_EQ(unpin.iconName, QStringLiteral("pin.slash.fill"));
}

TEST_F(Palette, EveryRowWithoutAnAppIconHasASymbolDrawing)
{
    QStringList symbols;
    for (const char *query : {"", "2+2", "example.com"}) {
        palette->setQuery(QString::fromLatin1(query));
        for (const CommandItem &item : palette->filteredCommands()) {
            if (!item.appKey)
                symbols.append(item.iconName);
        }
    }
    state->settings().set(&Settings::isPinned, true);
    symbols.append(palette->filteredCommands().constLast().iconName);
    EXPECT_EQ(symbols.size(), 6);
    for (const QString &name : symbols) {
        const QPainterPath path = Symbols::path(name);
        EXPECT_FALSE(path.isEmpty()) << name.toStdString();
        EXPECT_TRUE(QRectF(-0.01, -0.01, 1.02, 1.02).contains(path.boundingRect())) << name.toStdString();
    }
}

TEST_F(Palette, UpAndDownMoveTheHighlightWithinTheListAndANewQueryOrOpeningResetsIt)
{
    palette->moveSelection(-1);
    EXPECT_EQ(palette->selectedIndex(), 0) << "no wrapping above the first row";
    palette->moveSelection(1);
    EXPECT_EQ(palette->selectedIndex(), 1);
    palette->executeSelected();
    EXPECT_EQ(state->tabs().activeTab()->title, QStringLiteral("ChatGPT"));

    state->content().setShowCommandPalette(true);
    EXPECT_EQ(palette->selectedIndex(), 0) << "reopened afresh";
    palette->setQuery(QStringLiteral("google"));
    const int rows = int(palette->filteredCommands().size());
    for (int i = 0; i < rows + 3; ++i)
        palette->moveSelection(1);
    EXPECT_EQ(palette->selectedIndex(), rows - 1) << "no wrapping below the last row";
    palette->setQuery(QStringLiteral("googl"));
    EXPECT_EQ(palette->selectedIndex(), 0);
    state->content().setShowCommandPalette(false);
    state->content().setShowCommandPalette(true);
    EXPECT_TRUE(palette->query().isEmpty()) << "reopened with an empty query";
    EXPECT_EQ(titles().size(), state->tabs().tabs().size() + 5);
}

} // namespace
