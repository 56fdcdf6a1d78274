#include "FakePanelWorld.h"
#include "app/UrlCommandHandler.h"

#include <gtest/gtest.h>

namespace {

class UrlCommands : public FakePanelWorld
{
protected:
    UrlCommands()
    {
        handler = std::make_unique<UrlCommandHandler>(*state, *panel, fakes.clock);
    }

    void run(const char *url)
    {
        handler->handleURLScheme(QUrl(QString::fromUtf8(url)));
        fakes.clock.advance(1);
    }

    bool shown() const { return surface.onScreen && state->isPanelVisible(); }

    std::unique_ptr<UrlCommandHandler> handler;
};

TEST_F(UrlCommands, ToggleMatchesSchemeAndCommandInAnyCase)
{
    run("ORVANE://Toggle");
    EXPECT_TRUE(shown());
    run("orvane://toggle");
    EXPECT_FALSE(surface.onScreen);
    run("https://toggle");
    EXPECT_FALSE(surface.onScreen) << "other schemes are ignored";
}

TEST_F(UrlCommands, OpenAddsAWebTabAndShowsIt)
{
    run("orvane://open?url=https%3A%2F%2Fgithub.com%2Forvane%3Ftab%3D1");
    const TabModel tab = state->tabs().tabs().constLast();
    EXPECT_EQ(tab.title, QStringLiteral("github.com"));
    EXPECT_EQ(tab.url, QUrl(QStringLiteral("https://github.com/orvane?tab=1")));
    EXPECT_EQ(tab.iconKey, QStringLiteral("github"));
    EXPECT_EQ(state->tabs().activeTab()->id, tab.id);
    EXPECT_TRUE(shown());

}

// encodeURIComponent(location.href) of a page whose address holds characters
// a browser leaves unescaped.
TEST_F(UrlCommands, OpenTakesAddressesAsBrowsersLoadThem)
{
    run("orvane://open?url=https%3A%2F%2Fexample.com%2Fa%7Cb%3Fq%3D%7Bx%7D%5E%60");
    const TabModel tab = state->tabs().tabs().constLast();
    EXPECT_EQ(tab.title, QStringLiteral("example.com"));
    EXPECT_EQ(tab.url, QUrl(QStringLiteral("https://example.com/a%7Cb?q=%7Bx%7D%5E%60")));
    EXPECT_TRUE(shown());
}

TEST_F(UrlCommands, OpenIgnoresMissingValuesAndNonWebAddresses)
{
    const qsizetype before = state->tabs().tabs().size();
    for (const char *url : {"orvane://open", "orvane://open?url", "orvane://open?url=",
                            "orvane://open?url=file%3A%2F%2F%2Fetc%2Fpasswd",
                            "orvane://open?url=javascript%3Aalert(1)",
                            "orvane://open?url=data%3Atext%2Fhtml%2C%3Cb%3Ehi",
                            "orvane://open?url=not%20a%20url", "orvane://open?url=https:no-host"}) {
        run(url);
        EXPECT_EQ(state->tabs().tabs().size(), before) << url;
    }
    EXPECT_FALSE(surface.onScreen) << "a refused open does not show the panel";
}

TEST_F(UrlCommands, ShelfAddsTextFileAndLinkInThatOrder)
{
    state->content().setShowSettingsModal(true);
    run("orvane://shelf?link=https%3A%2F%2Fexample.com%2Fa&text=Remember%20this&file=%2Ftmp%2Freport.pdf");
    ASSERT_EQ(state->shelf().items().size(), 3);
    EXPECT_EQ(state->shelf().items().at(0).title, QStringLiteral("Remember this"));
    EXPECT_EQ(state->shelf().items().at(1).title, QStringLiteral("report.pdf"));
    EXPECT_EQ(state->shelf().items().at(1).kind, DropItemKind::File);
    EXPECT_EQ(state->shelf().items().at(2).kind, DropItemKind::Url);
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::dropShelf());
    EXPECT_FALSE(state->content().showSettingsModal());
    EXPECT_TRUE(shown());

    state->content().setActiveItem(ActiveSidebarItem::scratchpad());
    run("orvane://shelf");
    run("orvane://add?text=%20%0A%09");
    EXPECT_EQ(state->shelf().items().size(), 3) << "blank text stages nothing";
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::dropShelf());
}

// Any web page can fire these URLs: a link is staged as one (and so can be
// opened from its card) only when it is a web or mail address.
TEST_F(UrlCommands, ShelfLinksAreWebOrMailAddressesAndAnythingElseIsKeptAsText)
{
    const std::pair<const char *, DropItemKind> rows[] = {
        {"https://example.com/a?b=1", DropItemKind::Url},
        {"http://example.com/", DropItemKind::Url},
        {"mailto:someone@example.com", DropItemKind::Url},
        {"javascript:alert(document.cookie)", DropItemKind::Text},
        {"smb://server/share", DropItemKind::Text},
        {"file:///etc/passwd", DropItemKind::Text},
        {"steam://run/440", DropItemKind::Text},
        {"https:no-host", DropItemKind::Text},
        {"not a link", DropItemKind::Text},
    };
    for (const auto &[link, kind] : rows) {
        state->shelf().clearDropShelf();
        run(("orvane://shelf?link=" + QUrl::toPercentEncoding(QString::fromLatin1(link))).constData());
        ASSERT_EQ(state->shelf().items().size(), 1) << link;
        const DropItem &item = state->shelf().items().first();
        EXPECT_EQ(item.kind, kind) << link;
        if (kind == DropItemKind::Text) {
            EXPECT_EQ(item.textContent, QString::fromLatin1(link)) << "kept as the text it was: " << link;
        }
    }
}

TEST_F(UrlCommands, ThemeSelectsByNameOrTogglesEmberAndMidnight)
{
    run("orvane://theme?name=Aurora%20Glass");
    EXPECT_EQ(state->settings().values().currentTheme, AppThemeMode::Midnight);
    run("orvane://theme?name=Ink");
    EXPECT_EQ(state->settings().values().currentTheme, AppThemeMode::Ember);
    run("orvane://theme?name=sage");
    EXPECT_EQ(state->settings().values().currentTheme, AppThemeMode::Ember);
    EXPECT_TRUE(shown());
    run("orvane://theme");
    EXPECT_EQ(state->settings().values().currentTheme, AppThemeMode::Midnight);
    run("orvane://theme");
    EXPECT_EQ(state->settings().values().currentTheme, AppThemeMode::Ember);
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_currentTheme")), QStringLiteral("Ember"));
}

TEST_F(UrlCommands, OverlongAddressesAreRefused)
{
    const qsizetype tabs = state->tabs().tabs().size();
    const QString path(40000, QLatin1Char('a'));
    handler->handleURLScheme(QUrl(QStringLiteral("orvane://open?url=https://example.com/") + path));
    EXPECT_EQ(state->tabs().tabs().size(), tabs);
    handler->handleURLScheme(QUrl(QStringLiteral("orvane://shelf?link=https://example.com/") + path));
    EXPECT_TRUE(state->shelf().items().isEmpty());
    handler->handleURLScheme(QUrl(QStringLiteral("orvane://open?url=https://example.com/") + path.left(30000)));
    EXPECT_EQ(state->tabs().tabs().size(), tabs + 1) << "a long but plausible address is fine";
}

TEST_F(UrlCommands, AThemePickedByNameStopsFollowingTheSystemSoItSurvivesARestart)
{
    state->settings().set(&Settings::followSystemTheme, true);
    run("orvane://theme?name=sage");
    EXPECT_TRUE(state->settings().values().followSystemTheme) << "no theme picked, nothing changes";
    run("orvane://theme?name=ink");
    EXPECT_FALSE(state->settings().values().followSystemTheme);
    fakes.appearance.change(true);
    EXPECT_EQ(state->settings().values().currentTheme, AppThemeMode::Ember);
    EXPECT_EQ(AppState(fakes.ports()).settings().values().currentTheme, AppThemeMode::Ember);
}

TEST_F(UrlCommands, WidthIsTakenAsTheSettingTakesItAndSurvivesARestart)
{
    run("orvane://width?val=5000");
    EXPECT_EQ(state->settings().values().panelWidth, 1400) << "too wide becomes the widest width";
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_panelWidth")), 1400.0);
    run("orvane://width?val=250");
    EXPECT_EQ(state->settings().values().panelWidth, 300) << "too narrow becomes the narrowest width";
    EXPECT_EQ(surface.frame().width(), 300);
    for (const char *url : {"orvane://width?val=wide", "orvane://width?val=nan", "orvane://width?val=inf",
                            "orvane://width"}) {
        run(url);
        EXPECT_EQ(state->settings().values().panelWidth, 300) << url;
    }
    EXPECT_TRUE(shown());
    EXPECT_EQ(AppState(fakes.ports()).settings().values().panelWidth, 300) << "what was shown comes back";
}

TEST_F(UrlCommands, AiStagesThePromptWithoutShowingThePanel)
{
    state->content().setActiveItem(ActiveSidebarItem::scratchpad());
    run("orvane://ai?prompt=Explain%20monads");
    ASSERT_TRUE(state->capturedContext());
    EXPECT_EQ(state->capturedContext()->text, QStringLiteral("Explain monads"));
    EXPECT_EQ(state->capturedContext()->appName, QStringLiteral("Shortcut"));
    EXPECT_FALSE(state->capturedContext()->isFromClipboard);
    EXPECT_TRUE(state->tabs().activeTab()->isAIProvider);
    EXPECT_FALSE(surface.onScreen);

    state->setCapturedContext(std::nullopt);
    run("orvane://ai");
    EXPECT_FALSE(state->capturedContext());
}

TEST_F(UrlCommands, FlagsToggleAndEverythingElseShowsThePanel)
{
    run("orvane://pin");
    EXPECT_TRUE(state->settings().values().isPinned);
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_isPinned")).toBool(), true);
    run("orvane://settings");
    EXPECT_TRUE(state->content().showSettingsModal());
    run("orvane://scratchpad");
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::scratchpad());
    panel->hidePanel(false);
    fakes.clock.runPosted();
    run("orvane://whatever?x=1");
    EXPECT_TRUE(shown());
    panel->hidePanel(false);
    fakes.clock.runPosted();
    run("orvane://");
    EXPECT_TRUE(shown());
}

} // namespace
