#include "FakePorts.h"
#include "FakeWebPage.h"
#include "state/AppState.h"
#include "ui/BarTexts.h"
#include "web/HibernationEngine.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class Hibernation : public ::testing::Test
{
protected:
    Hibernation()
    {
        state = std::make_unique<AppState>(fakes.ports());
        engine = std::make_unique<HibernationEngine>(*state, fakes.clock, factory);
    }

    const TabModel &tab(int index) const { return state->tabs().tabs().at(index); }
    FakeWebPage &pageOf(int index) { return static_cast<FakeWebPage &>(engine->getOrCreateWebView(tab(index))); }
    int sleepingCount() const
    {
        return int(std::count_if(state->tabs().tabs().cbegin(), state->tabs().tabs().cend(), [](const TabModel &t) { return t.isHibernated; }));
    }

    FakePorts fakes;
    FakeWebPageFactory factory;
    std::unique_ptr<AppState> state;
    std::unique_ptr<HibernationEngine> engine;
};

TEST_F(Hibernation, OnePagePerTabCreatedOnDemandAndReleasedWithTheTab)
{
    EXPECT_EQ(engine->activeMemoryTabCount(), 0) << "nothing is created before it is asked for";
    FakeWebPage &first = pageOf(0);
    EXPECT_EQ(&pageOf(0), &first);
    EXPECT_EQ(first.loads, QList<QUrl>({tab(0).url}));
    EXPECT_EQ(first.userAgentMode(), UserAgentMode::Desktop);

    // DevDocs starts asleep: asking for it (a prompt sent to it, a reload)
    // creates and loads it all the same, and it is asleep no more.
    ASSERT_TRUE(tab(2).isHibernated);
    EXPECT_EQ(pageOf(2).loads, QList<QUrl>({tab(2).url}));
    EXPECT_FALSE(tab(2).isHibernated);
    EXPECT_EQ(engine->activeMemoryTabCount(), 2);

    state->tabs().removeTab(tab(2).id);
    EXPECT_EQ(engine->activeMemoryTabCount(), 1) << "a removed tab's page is released";
    EXPECT_EQ(factory.events, QStringList({"retire", "destroy"}));
}

TEST_F(Hibernation, AddressAndTitleFollowThePageOnALaterTurn)
{
    state->tabs().addTab(QStringLiteral("Web"), QUrl(QStringLiteral("https://start.example/")), QString(), false);
    const int index = int(state->tabs().tabs().size() - 1);
    FakeWebPage &page = pageOf(index);
    page.navigate(QUrl(QStringLiteral("https://start.example/redirected")), QStringLiteral("Example Docs"));
    EXPECT_EQ(tab(index).url, QUrl(QStringLiteral("https://start.example/"))) << "nothing inside the engine's callback";
    fakes.clock.runPosted();
    EXPECT_EQ(tab(index).url, QUrl(QStringLiteral("https://start.example/redirected")));
    EXPECT_EQ(tab(index).title, QStringLiteral("Example Docs"));
}

TEST_F(Hibernation, TheHeaderFollowsThePageWhileTheTabKeepsItsName)
{
    const TabModel named = tab(0);
    state->content().setActiveItem(ActiveSidebarItem::webTab(named.id));
    const auto header = [this] {
        const auto active = state->tabs().activeTab();
        return BarTexts::headerTitle(active, engine->pageTitle(active->id));
    };
    EXPECT_EQ(header(), named.title) << "no page yet";

    QSignalSpy retitled(engine.get(), &HibernationEngine::pageTitleChanged);
    FakeWebPage &page = pageOf(0);
    page.navigate(QUrl(QStringLiteral("https://claude.ai/chat/1")), QStringLiteral("Trip planning"));
    fakes.clock.runPosted();
    EXPECT_EQ(retitled.size(), 1);
    EXPECT_EQ(header(), QStringLiteral("Trip planning"));
    page.navigate(page.currentUrl, QStringLiteral("Trip planning (2 new)"));
    fakes.clock.runPosted();
    EXPECT_EQ(header(), QStringLiteral("Trip planning (2 new)")) << "a title the page sets itself";
    EXPECT_EQ(tab(0).title, named.title) << "the record keeps the tab's name";
    EXPECT_EQ(tab(0).unreadCount, 2) << "and the count the title announces";
    EXPECT_EQ(state->tabs().totalUnreadCount(), 2);

    engine->hibernateTab(named.id);
    EXPECT_EQ(retitled.size(), 3);
    EXPECT_EQ(header(), named.title) << "asleep, the tab's name again";
    EXPECT_EQ(tab(0).unreadCount, 2) << "asleep, the last count stays";
}

struct IconCase { const char *name; QVariant result; std::optional<QUrl> expected; };

class FaviconResult : public Hibernation, public ::testing::WithParamInterface<IconCase> {};

TEST_P(FaviconResult, BecomesTheIconAddressOnlyWhenItIsOne)
{
    FakeWebPage &page = pageOf(3);
    page.navigate(QUrl(QStringLiteral("https://www.notion.so/team")), QStringLiteral("Team"));
    fakes.clock.runPosted();
    page.finishLoading();
    ASSERT_TRUE(page.scriptCallback);
    EXPECT_TRUE(page.lastScript.contains(QLatin1String("apple-touch-icon")));
    page.scriptCallback(GetParam().result);
    fakes.clock.runPosted();
    EXPECT_EQ(tab(3).iconURL, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FaviconResult,
    ::testing::Values(IconCase{"address", QVariant(QStringLiteral(" https://www.notion.so/icon.png \n")),
                               QUrl(QStringLiteral("https://www.notion.so/icon.png"))},
                      IconCase{"blanks", QVariant(QStringLiteral("   ")), std::nullopt},
                      IconCase{"not_text", QVariant(42), std::nullopt}, IconCase{"error", QVariant(), std::nullopt},
                      IconCase{"relative_text", QVariant(QStringLiteral("favicon.ico")), std::nullopt},
                      IconCase{"unparsable", QVariant(QStringLiteral("http://exa mple.com/<x>")), std::nullopt}), rowName);

TEST_F(Hibernation, ASweepSleepsTabsLeftAloneForFiveMinutes)
{
    // Claude is active; ChatGPT was selected 299 s before the sweep, Notion 300 s.
    state->tabs().selectTab(tab(3).id);
    fakes.clock.advance(1);
    state->tabs().selectTab(tab(1).id);
    state->tabs().selectTab(tab(0).id);
    pageOf(1);
    pageOf(3);
    fakes.clock.advance(299); // the sweep at 300 s: Notion is 300 s old, ChatGPT 299 s
    EXPECT_TRUE(tab(3).isHibernated);
    EXPECT_FALSE(tab(1).isHibernated);
    EXPECT_EQ(engine->existingWebView(tab(3).id), nullptr);
    EXPECT_NE(engine->existingWebView(tab(1).id), nullptr);
    fakes.clock.advance(60);
    EXPECT_TRUE(tab(1).isHibernated);
    EXPECT_FALSE(tab(0).isHibernated) << "the active tab never sleeps, however old";
    EXPECT_EQ(fakes.store.writes.count(QStringLiteral("Orvane_Tabs")), 0) << "sleeping is not saved";
}

TEST_F(Hibernation, WithTheScratchpadShownEveryTabIsBackground)
{
    pageOf(0);
    state->content().setActiveItem(ActiveSidebarItem::scratchpad());
    fakes.clock.advance(360);
    EXPECT_TRUE(tab(0).isHibernated);
    EXPECT_EQ(engine->activeMemoryTabCount(), 0);
}

// What the Memory page and the footer count is what runs: no page under a
// sleeping flag, and waking loads nothing until a tab is shown.
TEST_F(Hibernation, SleepingCountsMatchTheLivePagesAfterWakingAndHibernatingAllButTheActiveTab)
{
    ASSERT_EQ(sleepingCount(), 2);
    fakes.clock.advance(600);
    engine->wakeAllTabs();
    EXPECT_EQ(sleepingCount(), 0);
    EXPECT_EQ(engine->activeMemoryTabCount(), 0) << "nothing loads before it is shown";
    fakes.clock.advance(60);
    EXPECT_EQ(sleepingCount(), 0) << "the sweep counts a woken tab as just used";

    for (int i = 0; i < 7; ++i)
        pageOf(i);
    EXPECT_EQ(engine->activeMemoryTabCount(), 7);
    engine->hibernateAllInactive();
    EXPECT_EQ(sleepingCount(), 6);
    EXPECT_EQ(engine->activeMemoryTabCount(), 1) << "every page of a tab counted asleep is gone";
    EXPECT_EQ(factory.alive.size(), 1);
    EXPECT_EQ(factory.events.count(QStringLiteral("retire")), 6);
    EXPECT_NE(engine->existingWebView(tab(0).id), nullptr) << "the active tab is spared";
}

TEST_F(Hibernation, APagesOwnWindowHoldsThePanelAndItsLinksOutAskFirst)
{
    FakeWebPage &page = pageOf(0);
    page.holding = true;
    page.observers.holdsPanelChanged();
    fakes.clock.runPosted();
    EXPECT_TRUE(state->isPanelHeld());
    engine->hibernateTab(tab(0).id);
    EXPECT_FALSE(state->isPanelHeld()) << "a page gone holds nothing";

    int handedOver = 0;
    pageOf(1).observers.handOverAsked(QUrl(QStringLiteral("tel:+15550100")), [&] { ++handedOver; });
    EXPECT_EQ(state->notice().text(), QStringLiteral("Open tel:+15550100 in another application?"));
    EXPECT_EQ(handedOver, 0);
    state->notice().press();
    EXPECT_EQ(handedOver, 1);
}

TEST_F(Hibernation, ASiteIsAskedOnceOnTheNoticeBarAndDevicesAreNeverAsked)
{
    FakeWebPage &page = pageOf(0);
    QList<bool> answers;
    const auto ask = [&](const char *origin, WebPage::Feature feature) {
        page.observers.permissionAsked(QUrl(QString::fromLatin1(origin)), feature, [&](bool granted) { answers.append(granted); });
        fakes.clock.runPosted();
    };
    ask("https://mail.example.com/", WebPage::Feature::Notifications);
    EXPECT_EQ(state->notice().text(), QStringLiteral("mail.example.com wants to show notifications"));
    EXPECT_EQ(state->notice().buttonTitle(), QStringLiteral("Allow"));
    EXPECT_EQ(state->notice().secondButtonTitle(), QStringLiteral("Block"));
    EXPECT_TRUE(answers.isEmpty()) << "nothing before the user's word";
    state->notice().dismiss();
    EXPECT_EQ(answers, QList<bool>{false}) << "a question left unanswered refuses";

    ask("https://mail.example.com/", WebPage::Feature::Notifications);
    state->notice().press();
    ask("https://spam.example.com/", WebPage::Feature::Notifications);
    state->notice().pressSecond();
    EXPECT_EQ(answers, (QList<bool>{false, true, false}));

    ask("https://mail.example.com/", WebPage::Feature::Notifications);
    ask("https://spam.example.com/", WebPage::Feature::Notifications);
    ask("https://mail.example.com/", WebPage::Feature::Camera);
    EXPECT_FALSE(state->notice().isShown()) << "answers kept are not asked again";
    EXPECT_EQ(answers, (QList<bool>{false, true, false, true, false, false}));
}

TEST_F(Hibernation, AReleasedPageNeverReachesTheRecordAgain)
{
    FakeWebPage &page = pageOf(1);
    const WebPage::Observers late = page.observers;
    page.navigate(QUrl(QStringLiteral("https://chatgpt.com/c/1")), QStringLiteral("A chat"));
    page.finishLoading();
    const auto pendingScript = page.scriptCallback;
    engine->hibernateTab(tab(1).id);
    EXPECT_EQ(factory.events, QStringList({"retire", "destroy"})) << "retired before it is dropped";

    const TabModel before = tab(1);
    ASSERT_TRUE(pendingScript);
    late.urlChanged();
    late.titleChanged();
    pendingScript(QVariant(QStringLiteral("https://chatgpt.com/icon.png")));
    fakes.clock.runPosted();
    TabModel after = tab(1);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(after.isHibernated);

    // Shown again, it starts over at the tab's last address.
    EXPECT_EQ(pageOf(1).loads, QList<QUrl>({tab(1).url}));
}

TEST_F(Hibernation, UserAgentChangesMoveThePageOnce)
{
    FakeWebPage &page = pageOf(3);
    EXPECT_FALSE(engine->applyUserAgentMode(tab(3)));
    state->tabs().toggleUserAgent(tab(3).id);
    EXPECT_TRUE(engine->applyUserAgentMode(tab(3)));
    EXPECT_EQ(page.userAgentMode(), UserAgentMode::Mobile);
    EXPECT_EQ(page.loads.constLast(), tab(3).url);
    EXPECT_FALSE(engine->applyUserAgentMode(tab(3)));
    EXPECT_EQ(page.switches, 1);
}

TEST_F(Hibernation, AFloodOfOpenedTabsKeepsOnlyABoundedNumberOfPagesAlive)
{
    for (int i = 0; i < 7; ++i) {
        fakes.clock.advance(1);
        state->tabs().selectTab(tab(i).id);
        pageOf(i);
    }
    for (int i = 0; i < 20; ++i) {
        fakes.clock.advance(1);
        state->tabs().addTab(QStringLiteral("Opened"), QUrl(QStringLiteral("https://example.com/%1").arg(i)),
                             QStringLiteral("globe"), false);
        state->tabs().selectTab(state->tabs().tabs().constLast().id);
        engine->getOrCreateWebView(state->tabs().tabs().constLast());
    }
    EXPECT_EQ(engine->activeMemoryTabCount(), int(HibernationEngine::maximumLivePages));
    EXPECT_TRUE(engine->existingWebView(state->tabs().activeTab()->id)) << "the tab on screen stays awake";
    EXPECT_FALSE(engine->existingWebView(tab(0).id)) << "the least recently used went to sleep";
    EXPECT_TRUE(tab(0).isHibernated);
    EXPECT_TRUE(engine->existingWebView(tab(26).id));
}

} // namespace
