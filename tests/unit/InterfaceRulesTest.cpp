// The rules behind the panel's interface, without a display.
#include "FakePorts.h"
#include "FakeWebPage.h"
#include "TitlesOf.h"
#include "scratchpad/ScratchpadSummary.h"
#include "shelf/DropItem.h"
#include "state/AppState.h"
#include "ui/BarTexts.h"
#include "ui/ContentLayout.h"
#include "ui/PanelHeightToggle.h"
#include "ui/RailReorder.h"
#include "ui/TabContextMenu.h"
#include "web/HibernationEngine.h"
#include "web/PageContextMenu.h"

#include <gtest/gtest.h>

namespace {

using Screen = ContentLayout::Screen;

class Interface : public ::testing::Test
{
protected:
    Interface() { fakes.store.values.insert(QStringLiteral("Orvane_followSystemTheme"), false); }

    ContentLayout layout() const { return ContentLayout::of(state->content(), state->tabs().activeTab().has_value()); }
    QStringList titles() const { return titlesOf(state->tabs().tabs()); }

    FakePorts fakes;
    std::unique_ptr<AppState> state = std::make_unique<AppState>(fakes.ports());
};

TEST_F(Interface, TheColumnFollowsTheSettingsFlagThenTheActiveItem)
{
    PanelContent &content = state->content();
    EXPECT_EQ(layout(), (ContentLayout{Screen::WebTab, true, true, true, true, false}));
    content.setPageFullScreen(true);
    EXPECT_EQ(layout(), (ContentLayout{Screen::WebTab, false, false, false, false, false, false})) << "the page fills the panel";
    content.setPageFullScreen(false);

    content.setActiveItem(ActiveSidebarItem::scratchpad());
    EXPECT_EQ(layout(), (ContentLayout{Screen::Scratchpad, false, false, false, true, false}));
    content.setActiveItem(ActiveSidebarItem::dropShelf());
    EXPECT_EQ(layout(), (ContentLayout{Screen::DropShelf, false, false, false, true, false}));

    content.setShowSettingsModal(true);
    EXPECT_EQ(layout(), (ContentLayout{Screen::Settings, false, false, false, false, false})) << "no bars at all";

    content.setShowSettingsModal(false);
    content.setActiveItem(ActiveSidebarItem::webTab(QUuid::createUuid()));
    EXPECT_EQ(layout(), (ContentLayout{Screen::WebTab, true, true, true, true, true})) << "a tab that does not exist";
}

TEST_F(Interface, OnlyTheSettingsButtonIsLitWhileSettingsAreOpen)
{
    PanelContent &content = state->content();
    const QUuid first = state->tabs().tabs().first().id;
    EXPECT_TRUE(RailActivity::isTabActive(content, first));
    EXPECT_FALSE(RailActivity::isActive(content, RailActivity::Button::Settings));
    content.setShowSettingsModal(true);
    EXPECT_FALSE(RailActivity::isTabActive(content, first));
    EXPECT_TRUE(RailActivity::isActive(content, RailActivity::Button::Settings));
    content.setActiveItem(ActiveSidebarItem::dropShelf());
    EXPECT_FALSE(RailActivity::isActive(content, RailActivity::Button::DropShelf));
    content.setShowSettingsModal(false);
    EXPECT_TRUE(RailActivity::isActive(content, RailActivity::Button::DropShelf));
    EXPECT_FALSE(RailActivity::isActive(content, RailActivity::Button::Scratchpad));
}

TEST_F(Interface, CtrlDraggingASlotPastHalfItsNeighbourSwapsThem)
{
    while (state->tabs().tabs().size() > 4)
        state->tabs().removeTab(state->tabs().tabs().last().id);
    const QStringList before = titles();
    const QUuid second = state->tabs().tabs().at(1).id;
    RailReorder reorder;

    reorder.dragChanged(second, 30, false, state->tabs());
    EXPECT_EQ(titles(), before) << "without Ctrl nothing moves";
    EXPECT_FALSE(reorder.draggedTabId());

    reorder.dragChanged(second, 10, true, state->tabs());
    EXPECT_EQ(reorder.dragOffsetY(), 10);
    reorder.dragChanged(second, 30, true, state->tabs());
    EXPECT_EQ(titles(), QStringList({before[0], before[2], before[1], before[3]})) << "second lands third";
    EXPECT_EQ(reorder.dragOffsetY(), 30 - RailReorder::slotPitch);
    reorder.dragChanged(state->tabs().tabs().at(0).id, 80, true, state->tabs());
    EXPECT_EQ(titles().at(2), before[1]) << "another slot's drag is ignored meanwhile";

    reorder.dragChanged(second, 200, true, state->tabs());
    reorder.dragChanged(second, 200, true, state->tabs());
    EXPECT_EQ(titles().last(), before[1]) << "never past the last place";
    reorder.dragEnded();
    EXPECT_FALSE(reorder.draggedTabId());
    EXPECT_EQ(reorder.dragOffsetY(), 0);
    EXPECT_GE(fakes.store.writes.count(QStringLiteral("Orvane_Tabs")), 2) << "each reorder is saved";
}

TEST_F(Interface, TheTabMenuOffersWhatTheTabCanDo)
{
    const auto titlesOf = [](const QList<TabContextMenu::Entry> &entries) {
        QStringList result;
        for (const auto &entry : entries)
            result.append(entry.isSeparator() ? QStringLiteral("-") : entry.title);
        return result;
    };
    TabModel tab = state->tabs().tabs().first();
    auto entries = TabContextMenu::entries(tab, 0, 7);
    EXPECT_EQ(titlesOf(entries), QStringList({"Move Up", "Move Down", "-", "Switch to Mobile View",
                                              "Stop Using as AI Tab", "Reload", "Hibernate Tab", "-", "Remove Tab"}));
    EXPECT_FALSE(entries[0].enabled);
    EXPECT_TRUE(entries[1].enabled);
    EXPECT_TRUE(entries[8].destructive);

    tab.userAgentMode = UserAgentMode::Mobile;
    tab.isHibernated = true;
    entries = TabContextMenu::entries(tab, 6, 7);
    EXPECT_TRUE(entries[0].enabled);
    EXPECT_FALSE(entries[1].enabled) << "the last tab cannot move down";
    EXPECT_EQ(entries[3].title, QStringLiteral("Switch to Desktop View"));
    EXPECT_EQ(entries[6].title, QStringLiteral("Wake Tab"));

    // Any tab can take prompts.
    const TabModel plain = state->tabs().tabs().at(3);
    ASSERT_FALSE(plain.isAIProvider);
    EXPECT_EQ(TabContextMenu::entries(plain, 3, 7)[4].title, QStringLiteral("Use as AI Tab"));
    FakeWebPageFactory factory;
    HibernationEngine engine(*state, fakes.clock, factory);
    TabContextMenu::run(TabContextMenu::Action::ToggleAIProvider, plain.id, state->tabs(), engine);
    EXPECT_TRUE(state->tabs().tabs().at(3).isAIProvider);
}

TEST_F(Interface, ThePageMenuOffersWhatTheRightClickWasOn)
{
    using Request = WebPage::MenuRequest;
    const QUrl web(QStringLiteral("https://example.org/a"));
    const QUrl picture(QStringLiteral("https://example.org/p.png"));
    struct Row
    {
        const char *name;
        Request request;
        // Separators as "-", entries that cannot be chosen in brackets.
        QStringList menu;
    };
    const QStringList moves = {"-", "[Back]", "[Forward]", "Reload"};
    const QStringList link = {"Open Link in Browser", "Open Link as a Tab", "Copy Link Address", "Add Link to Shelf"};
    const QStringList selection = {"Copy", "Ask AI About Selection", "Add Selection to Shelf"};
    const Row rows[] = {
        {"the page itself, with history", {{}, {}, {}, false, false, true, true}, {"Back", "Forward", "Reload"}},
        {"the page itself, first in its history", {}, moves.mid(1)},
        {"a web link", {web}, link + moves},
        {"a mail link goes to the browser but is no tab", {QUrl(QStringLiteral("mailto:a@example.org"))},
         QStringList{"Open Link in Browser", "[Open Link as a Tab]", "Copy Link Address", "Add Link to Shelf"} + moves},
        {"a script link goes nowhere", {QUrl(QStringLiteral("javascript:void(0)"))},
         QStringList{"[Open Link in Browser]", "[Open Link as a Tab]", "Copy Link Address", "Add Link to Shelf"} + moves},
        {"a picture", {{}, picture}, QStringList{"Copy Image", "Add Image to Shelf"} + moves},
        {"a linked picture", {web, picture}, link + QStringList{"-", "Copy Image", "Add Image to Shelf"} + moves},
        {"selected text", {{}, {}, QStringLiteral("some words")}, selection + moves},
        {"blank selected text is none", {{}, {}, QStringLiteral(" \n")}, moves.mid(1)},
        {"an empty field", {{}, {}, {}, true, true}, QStringList{"[Cut]", "[Copy]", "Paste"} + moves},
        {"text selected in a field", {{}, {}, QStringLiteral("typed"), true, false},
         QStringList{"Cut", "Copy", "[Paste]", "Ask AI About Selection", "Add Selection to Shelf"} + moves},
    };
    for (const Row &row : rows) {
        QStringList menu;
        for (const PageContextMenu::Entry &entry : PageContextMenu::entries(row.request))
            menu.append(entry.isSeparator() ? QStringLiteral("-") : entry.enabled ? entry.title : "[" + entry.title + "]");
        EXPECT_EQ(menu, row.menu) << row.name;
    }
}

TEST_F(Interface, ADragHeldOverATabsButtonForHalfASecondShowsTheTab)
{
    const QUuid first = state->tabs().tabs().at(0).id;
    const QUuid second = state->tabs().tabs().at(1).id;
    const QUuid third = state->tabs().tabs().at(2).id;
    TabDragHover &hover = state->tabDragHover();
    hover.entered(second);
    fakes.clock.advance(0.4);
    hover.left();
    fakes.clock.advance(1);
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::webTab(first)) << "passing over a button shows nothing";

    hover.entered(second);
    fakes.clock.advance(0.3);
    hover.entered(third);
    fakes.clock.advance(0.3);
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::webTab(first)) << "the half second starts again on each button";
    fakes.clock.advance(0.2);
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::webTab(third));

    hover.entered(second);
    state->tabs().removeTab(second);
    fakes.clock.advance(1);
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::webTab(third)) << "a tab removed meanwhile is not shown";
}

TEST_F(Interface, WakingFromTheMenuOnlyClearsTheFlagAndHibernatingFreesThePage)
{
    FakeWebPageFactory factory;
    HibernationEngine engine(*state, fakes.clock, factory);
    const TabModel awake = state->tabs().tabs().at(1);
    engine.getOrCreateWebView(awake);
    TabContextMenu::run(TabContextMenu::Action::HibernateOrWake, awake.id, state->tabs(), engine);
    EXPECT_FALSE(engine.existingWebView(awake.id));
    EXPECT_TRUE(state->tabs().tabs().at(1).isHibernated);

    TabContextMenu::run(TabContextMenu::Action::HibernateOrWake, awake.id, state->tabs(), engine);
    EXPECT_FALSE(state->tabs().tabs().at(1).isHibernated);
    EXPECT_FALSE(engine.existingWebView(awake.id)) << "no page until the tab is shown";

    TabContextMenu::run(TabContextMenu::Action::Remove, awake.id, state->tabs(), engine);
    EXPECT_EQ(state->tabs().tabs().size(), 6);
}

TEST_F(Interface, BarsSayWhatTheStateIs)
{
    EXPECT_EQ(BarTexts::headerTitle(std::nullopt, QStringLiteral("A page")), QStringLiteral("Orvane"));
    EXPECT_EQ(BarTexts::headerTitle(state->tabs().activeTab(), QString()), QStringLiteral("Claude"));
    EXPECT_EQ(BarTexts::headerTitle(state->tabs().activeTab(), QStringLiteral(" \n")), QStringLiteral("Claude"));
    EXPECT_EQ(BarTexts::addressText(QUrl(QStringLiteral("https://claude.ai/new"))), QStringLiteral("claude.ai"));
    EXPECT_EQ(BarTexts::addressText(QUrl(QStringLiteral("about:blank"))), QStringLiteral("about:blank"));
    EXPECT_EQ(BarTexts::railTabTooltip(BarTexts::railButtonTooltip(QStringLiteral("Gmail"), true)),
              QStringLiteral("Gmail (Hibernated) \u00B7 Ctrl-drag to reorder"));
    EXPECT_EQ(BarTexts::railButtonTooltip(QStringLiteral("Gmail"), false, 3), QStringLiteral("Gmail, 3 unread"));
    EXPECT_EQ(BarTexts::railButtonTooltip(QStringLiteral("Gmail"), true, 12),
              QStringLiteral("Gmail (Hibernated), 12 unread when it went to sleep"));

    // Seven tabs, two asleep (the first-run list sleeps DevDocs and Gmail).
    const QList<TabModel> &tabs = state->tabs().tabs();
    const auto sleeping = std::count_if(tabs.cbegin(), tabs.cend(), [](const TabModel &t) { return t.isHibernated; });
    EXPECT_EQ(BarTexts::webAppsText(tabs.size()), QStringLiteral("7 web apps"));
    EXPECT_EQ(BarTexts::asleepText(sleeping), QStringLiteral("2 asleep"));
}

TEST_F(Interface, OnlyAnHttpsPageWithAnAcceptedCertificateShowsThePadlock)
{
    FakeWebPageFactory factory;
    HibernationEngine engine(*state, fakes.clock, factory);
    const TabModel tab = state->tabs().tabs().at(0);
    EXPECT_FALSE(BarTexts::securityMark(engine.existingWebView(tab.id))) << "a sleeping tab vouches for nothing";
    auto &page = static_cast<FakeWebPage &>(engine.getOrCreateWebView(tab));
    EXPECT_FALSE(BarTexts::securityMark(&page)) << "nothing loaded yet";
    int changes = 0;
    QObject::connect(&engine, &HibernationEngine::pageSecurityChanged, &engine,
                     [&](const QUuid &id) { changes += id == tab.id; });

    const auto markFor = [&](const char *address) {
        page.navigate(QUrl(QString::fromLatin1(address)), QStringLiteral("Page"));
        const auto mark = BarTexts::securityMark(&page);
        return mark ? mark->symbol + QLatin1Char(' ') + mark->name : QString();
    };
    const QString padlock = QStringLiteral("lock.fill Secure connection");
    const QString insecure = QStringLiteral("lock.open.fill Not secure");
    EXPECT_EQ(markFor("https://claude.ai/new"), padlock);
    EXPECT_EQ(markFor("http://127.0.0.1:8080/chat"), insecure);
    EXPECT_EQ(markFor("about:blank"), insecure);
    fakes.clock.runPosted();
    changes = 0;
    page.meetCertificateError();
    fakes.clock.runPosted();
    EXPECT_EQ(changes, 1) << "the bar hears of the error";
    EXPECT_EQ(markFor("https://self-signed.example/"), insecure);
}

TEST(CountTexts, OneOfAnythingIsSingularAndEveryOtherCountPlural)
{
    const QString dot = QStringLiteral("  \u00B7  ");
    const std::pair<QString, QString> rows[] = {
        {BarTexts::webAppsText(1), QStringLiteral("1 web app")},
        {BarTexts::webAppsText(0), QStringLiteral("0 web apps")},
        {ScratchpadSummary::footerText({1, 1, 1}), QStringLiteral("1 line") + dot + QStringLiteral("1 word") + dot
                                                       + QStringLiteral("1 live calculation")},
        {ScratchpadSummary::footerText({2, 0, 3}), QStringLiteral("2 lines") + dot + QStringLiteral("0 words") + dot
                                                       + QStringLiteral("3 live calculations")},
        {DropItem::fromText(QStringLiteral("a")).fileSizeString.value_or(QString()), QStringLiteral("1 word \u2022 1 char")},
    };
    for (const auto &[text, expected] : rows)
        EXPECT_EQ(text, expected);
}

TEST_F(Interface, DoubleClickingTheHandleDetachesThePanelAndBack)
{
    SettingsModel &settings = state->settings();
    PanelHeightToggle::toggle(settings, 1000);
    EXPECT_EQ(settings.values().panelCustomHeight, 750.0);
    EXPECT_EQ(settings.values().panelTopOffset, 125.0);
    PanelHeightToggle::toggle(settings, 1000);
    EXPECT_FALSE(settings.values().panelCustomHeight);
    EXPECT_FALSE(settings.values().panelTopOffset);
    EXPECT_FALSE(fakes.store.values.contains(QStringLiteral("Orvane_panelCustomHeight")));
}

} // namespace
