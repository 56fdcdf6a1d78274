#include "FakePorts.h"
#include "TitlesOf.h"
#include "state/AppState.h"
#include "web/TabList.h"
#include "web/TabListJson.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const QString tabsKey = QStringLiteral("Orvane_Tabs");

TabModel tab(const char *title, const char *url = "https://example.com/", const char *iconKey = "globe")
{
    TabModel t;
    t.id = QUuid::createUuid();
    t.title = QString::fromUtf8(title);
    t.url = QUrl(QString::fromUtf8(url));
    t.iconKey = QString::fromUtf8(iconKey);
    t.lastActiveDate = QDateTime(QDate(2026, 1, 1), QTime(8, 0), Qt::UTC);
    return t;
}

class TabOperations : public ::testing::Test
{
protected:
    // Stores the given tabs and builds the state from them.
    AppState &stateWith(const QList<TabModel> &tabs)
    {
        fakes.store.values.insert(tabsKey, TabListJson::encode(tabs));
        m_state = std::make_unique<AppState>(fakes.ports());
        fakes.store.writes.clear();
        return *m_state;
    }
    qsizetype tabSaves() const { return fakes.store.writes.count(tabsKey); }

    FakePorts fakes;
    std::unique_ptr<AppState> m_state;
};

TEST_F(TabOperations, MissingEmptyOrUnreadableListsKeepTheDefaults)
{
    for (const QVariant &stored : {QVariant(), QVariant(QByteArray("[]")), QVariant(QByteArray("{not json"))}) {
        FakePorts ports;
        if (stored.isValid())
            ports.store.values.insert(tabsKey, stored);
        AppState state(ports.ports());
        EXPECT_EQ(titlesOf(state.tabs().tabs()), QStringList({"Claude", "ChatGPT", "DevDocs", "Notion", "Google Calendar",
                                                     "Google Keep", "Gmail"}));
        EXPECT_EQ(state.tabs().activeTab()->title, QStringLiteral("Claude"));
        EXPECT_TRUE(state.tabs().tabs().at(2).isHibernated);
        EXPECT_TRUE(state.tabs().tabs().at(6).isHibernated);
        EXPECT_TRUE(ports.store.writes.isEmpty());
    }
}

TEST_F(TabOperations, EveryUnreadableListIsSetAsideAsItWasByTheFirstSaveAndNoneIsOverwritten)
{
    // What the settings file gives for a list written without quotes.
    const QVariant handEdited = QStringList({"[{\"id\":1}", "{\"id\":2}]"});
    const auto launchAndSave = [this] {
        const QVariant stored = fakes.store.values.value(tabsKey);
        AppState state(fakes.ports());
        EXPECT_EQ(fakes.store.values.value(tabsKey), stored) << "kept until the first save";
        state.tabs().moveTabDown(state.tabs().tabs().first().id);
        EXPECT_EQ(TabListJson::decode(fakes.store.values.value(tabsKey).toByteArray(), {})->size(), 7);
    };
    fakes.store.values.insert(tabsKey, handEdited);
    launchAndSave();
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_TabsUnreadable")), handEdited);

    fakes.store.values.insert(tabsKey, QByteArray("{second"));
    launchAndSave();
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_TabsUnreadable")), handEdited);
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_TabsUnreadable2")).toByteArray(), QByteArray("{second"));
}

TEST_F(TabOperations, StoredListLoadsWithItsFirstTabActiveAndIconKeysMigratedAndWrittenBackOnce)
{
    QList<TabModel> stored = {tab("GitHub", "https://example.com/", "web"), tab("Claude", "https://example.com/", " claude ")};
    fakes.store.values.insert(tabsKey, TabListJson::encode(stored));
    AppState state(fakes.ports());
    EXPECT_EQ(state.tabs().tabs().at(0).iconKey, QStringLiteral("github"));
    // Only trimming needed: left as stored.
    EXPECT_EQ(state.tabs().tabs().at(1).iconKey, QStringLiteral(" claude "));
    EXPECT_EQ(fakes.store.writes, QStringList({tabsKey}));
    EXPECT_EQ(titlesOf(state.tabs().tabs()), QStringList({"GitHub", "Claude"}));
    EXPECT_EQ(state.content().activeItem(), ActiveSidebarItem::webTab(state.tabs().tabs().first().id)) << "the first tab";
}

TEST_F(TabOperations, RemovingTheActiveTabActivatesTheFirstOrTheScratchpad)
{
    AppState &state = stateWith({tab("A"), tab("B"), tab("C"), tab("D"), tab("E")});
    state.tabs().selectTab(state.tabs().tabs().at(2).id);
    state.tabs().removeTab(state.tabs().tabs().at(2).id);
    EXPECT_EQ(state.tabs().activeTab()->title, QStringLiteral("A"));
    EXPECT_EQ(tabSaves(), 1);

    // Removing a background tab keeps the active one.
    state.tabs().selectTab(state.tabs().tabs().at(1).id);
    state.tabs().removeTab(state.tabs().tabs().at(3).id);
    EXPECT_EQ(state.tabs().activeTab()->title, QStringLiteral("B"));

    state.tabs().removeTab(QUuid::createUuid());
    EXPECT_EQ(tabSaves(), 2);

    while (state.tabs().tabs().size() > 1)
        state.tabs().removeTab(state.tabs().tabs().constLast().id);
    state.tabs().removeTab(state.tabs().tabs().first().id);
    EXPECT_EQ(state.content().activeItem(), ActiveSidebarItem::scratchpad());
}

TEST_F(TabOperations, MovingPastEitherEndChangesAndSavesNothing)
{
    AppState &state = stateWith({tab("A"), tab("B"), tab("C")});
    state.tabs().moveTabUp(state.tabs().tabs().first().id);
    state.tabs().moveTabDown(state.tabs().tabs().last().id);
    state.tabs().moveTabUp(QUuid::createUuid());
    EXPECT_EQ(titlesOf(state.tabs().tabs()), QStringList({"A", "B", "C"}));
    EXPECT_EQ(tabSaves(), 0);

    state.tabs().moveTabUp(state.tabs().tabs().at(1).id);
    EXPECT_EQ(titlesOf(state.tabs().tabs()), QStringList({"B", "A", "C"}));
    state.tabs().moveTabDown(state.tabs().tabs().at(1).id);
    EXPECT_EQ(titlesOf(state.tabs().tabs()), QStringList({"B", "C", "A"}));
    EXPECT_EQ(tabSaves(), 2);
    EXPECT_EQ(titlesOf(*TabListJson::decode(fakes.store.values.value(tabsKey).toByteArray(), {})),
              QStringList({"B", "C", "A"}));
}

// The titles after the move; "=" before them when it reported no change.
TEST(TabList, ReorderAndMoveIndexesPlaceTheTabsOrChangeNothing)
{
    const QList<TabModel> abcd = {tab("A"), tab("B"), tab("C"), tab("D")};
    const auto after = [&abcd](const std::function<bool(QList<TabModel> &)> &move) {
        QList<TabModel> tabs = abcd;
        const bool moved = move(tabs);
        return QString::fromLatin1(moved ? "" : "=") + titlesOf(tabs).join(QString());
    };
    const auto reorder = [&](int from, const QUuid &to) {
        return after([&](QList<TabModel> &tabs) { return TabList::reorder(tabs, abcd[from].id, to); });
    };
    const auto moveIndexes = [&](const QList<qsizetype> &indexes, qsizetype destination) {
        return after([&](QList<TabModel> &tabs) { return TabList::moveIndexes(tabs, indexes, destination); });
    };
    EXPECT_EQ(reorder(0, abcd[2].id), QStringLiteral("BCAD")) << "in the target's place";
    EXPECT_EQ(reorder(3, abcd[1].id), QStringLiteral("ADBC"));
    EXPECT_EQ(reorder(0, abcd[0].id), QStringLiteral("=ABCD"));
    EXPECT_EQ(reorder(0, QUuid::createUuid()), QStringLiteral("=ABCD"));
    EXPECT_EQ(moveIndexes({0, 2}, 4), QStringLiteral("BDAC")) << "before the destination";
    EXPECT_EQ(moveIndexes({3}, 0), QStringLiteral("DABC"));
    const std::pair<QList<qsizetype>, qsizetype> nowhere[] = {{{1}, 1}, {{1}, 2}, {{7}, 0}, {{0}, 9}};
    for (const auto &[indexes, destination] : nowhere)
        EXPECT_EQ(moveIndexes(indexes, destination), QStringLiteral("=ABCD")) << destination;
}

TEST_F(TabOperations, AddTabResolvesItsIconAndBecomesActive)
{
    AppState &state = stateWith({tab("A")});
    state.content().setShowSettingsModal(true);
    state.tabs().addTab(QStringLiteral("Perplexity"), QUrl(QStringLiteral("https://www.perplexity.ai/")), QStringLiteral("globe"), false);
    const TabModel added = state.tabs().tabs().constLast();
    EXPECT_EQ(added.iconKey, QStringLiteral("perplexity"));
    EXPECT_TRUE(added.isAIProvider);
    EXPECT_EQ(added.lastActiveDate, fakes.clock.now());
    EXPECT_EQ(state.tabs().activeTab()->id, added.id);
    EXPECT_FALSE(state.content().showSettingsModal());
    EXPECT_EQ(tabSaves(), 1);

    state.tabs().addTab(QStringLiteral("My Notion"), QUrl(QStringLiteral("https://example.com")), QStringLiteral("web"), false);
    EXPECT_EQ(state.tabs().tabs().constLast().iconKey, QStringLiteral("notion"));
    EXPECT_FALSE(state.tabs().tabs().constLast().isAIProvider);
    state.tabs().addTab(QStringLiteral("Claude Monet"), QUrl(QStringLiteral("https://art.example/")), QStringLiteral("web"), false);
    EXPECT_EQ(state.tabs().tabs().constLast().iconKey, QStringLiteral("claude"));
    EXPECT_FALSE(state.tabs().tabs().constLast().isAIProvider) << "a title makes no AI tab";

    state.tabs().addTab(QStringLiteral("Local model"), QUrl(QStringLiteral("http://127.0.0.1:8080")), QString(), true);
    EXPECT_TRUE(state.tabs().tabs().constLast().isAIProvider);
    EXPECT_EQ(state.tabs().tabs().constLast().iconKey, QString());
}

TEST_F(TabOperations, SelectingStampsTheTabButDoesNotSaveWhileTogglingTheIdentitySaves)
{
    AppState &state = stateWith({tab("A"), tab("B")});
    QList<TabModel> tabs = state.tabs().tabs();
    tabs[1].isHibernated = true;
    fakes.clock.advance(90);
    state.content().setShowSettingsModal(true);
    state.tabs().selectTab(tabs[1].id);
    EXPECT_FALSE(state.content().showSettingsModal());
    EXPECT_EQ(state.tabs().tabs().at(1).lastActiveDate, fakes.clock.now());
    EXPECT_FALSE(state.tabs().tabs().at(1).isHibernated);
    EXPECT_EQ(tabSaves(), 0);

    state.tabs().toggleUserAgent(tabs[1].id);
    EXPECT_EQ(state.tabs().tabs().at(1).userAgentMode, UserAgentMode::Mobile);
    state.tabs().toggleUserAgent(tabs[1].id);
    EXPECT_EQ(state.tabs().tabs().at(1).userAgentMode, UserAgentMode::Desktop);
    state.tabs().toggleUserAgent(QUuid::createUuid());
    EXPECT_EQ(tabSaves(), 2) << "toggling the identity is saved";
}

struct TitleCase { const char *name; const char *currentTitle; const char *pageTitle; const char *expected; };

class PageTitleRule : public ::testing::TestWithParam<TitleCase> {};

TEST_P(PageTitleRule, ReplacesOnlyPlaceholderTitles)
{
    TabModel t = tab(GetParam().currentTitle, "https://www.notion.so/page", "notion");
    TabList::applyWebMetadata(t, t.url, QString::fromUtf8(GetParam().pageTitle), std::nullopt);
    EXPECT_EQ(t.title, QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PageTitleRule,
    ::testing::Values(TitleCase{"given_title_is_kept", "Notion", "Team Wiki – Notion", "Notion"},
                      TitleCase{"web_is_replaced", "Web", "  Team Wiki  ", "Team Wiki"},
                      TitleCase{"host_name_is_replaced", "www.notion.so", "Team Wiki", "Team Wiki"},
                      TitleCase{"empty_is_replaced", "", "Team Wiki", "Team Wiki"},
                      TitleCase{"blank_page_title_changes_nothing", "Web", " \n ", "Web"}), rowName);

TEST_F(TabOperations, WebMetadataSavesOnlyWhenSomethingChanged)
{
    AppState &state = stateWith({tab("Web", "https://example.com/")});
    const QUuid id = state.tabs().tabs().first().id;
    state.tabs().updateTabWebMetadata(id, QUrl(QStringLiteral("https://example.com/")), QString(), std::nullopt);
    EXPECT_EQ(tabSaves(), 0);

    // The new address's host name is a placeholder title too.
    state.tabs().updateTabWebMetadata(id, QUrl(QStringLiteral("https://github.com/orvane")), QStringLiteral("Orvane · GitHub"),
                               QUrl(QStringLiteral("https://github.com/favicon.ico")));
    const TabModel updated = state.tabs().tabs().first();
    EXPECT_EQ(updated.url, QUrl(QStringLiteral("https://github.com/orvane")));
    EXPECT_EQ(updated.title, QStringLiteral("Orvane · GitHub"));
    EXPECT_EQ(updated.iconKey, QStringLiteral("github"));
    EXPECT_EQ(updated.iconURL, QUrl(QStringLiteral("https://github.com/favicon.ico")));
    EXPECT_EQ(tabSaves(), 1);

    state.tabs().updateTabWebMetadata(QUuid::createUuid(), QUrl(QStringLiteral("https://a.test/")), QStringLiteral("A"), std::nullopt);
    EXPECT_EQ(tabSaves(), 1);
}

} // namespace
