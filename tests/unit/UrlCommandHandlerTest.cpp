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

    UrlCommandHandler::Refusal run(const char *url)
    {
        const auto refusal = handler->handleURLScheme(QUrl(QString::fromUtf8(url)));
        fakes.clock.advance(1);
        return refusal;
    }

    bool shown() const { return surface.onScreen && state->isPanelVisible(); }

    std::unique_ptr<UrlCommandHandler> handler;
};

TEST_F(UrlCommands, ToggleMatchesSchemeAndCommandInAnyCaseFlagsToggleAndEverythingElseShowsThePanel)
{
    run("ORVANE://Toggle");
    EXPECT_TRUE(shown());
    run("orvane://toggle");
    EXPECT_FALSE(surface.onScreen);
    run("https://toggle");
    EXPECT_FALSE(surface.onScreen) << "other schemes are ignored";

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

// The second address is encodeURIComponent(location.href) of a page whose
// address holds characters a browser leaves unescaped.
TEST_F(UrlCommands, OpenAddsAWebTabAsBrowsersLoadTheAddressAndShowsIt)
{
    run("orvane://open?url=https%3A%2F%2Fgithub.com%2Forvane%3Ftab%3D1");
    TabModel tab = state->tabs().tabs().constLast();
    EXPECT_EQ(tab.title, QStringLiteral("github.com"));
    EXPECT_EQ(tab.url, QUrl(QStringLiteral("https://github.com/orvane?tab=1")));
    EXPECT_EQ(tab.iconKey, QStringLiteral("github"));
    EXPECT_EQ(state->tabs().activeTab()->id, tab.id);
    EXPECT_TRUE(shown());

    run("orvane://open?url=https%3A%2F%2Fexample.com%2Fa%7Cb%3Fq%3D%7Bx%7D%5E%60");
    tab = state->tabs().tabs().constLast();
    EXPECT_EQ(tab.title, QStringLiteral("example.com"));
    EXPECT_EQ(tab.url, QUrl(QStringLiteral("https://example.com/a%7Cb?q=%7Bx%7D%5E%60")));
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
        {"mailto:someone@example.com", DropItemKind::Url}, {"javascript:alert(document.cookie)", DropItemKind::Text},
        {"file:///etc/passwd", DropItemKind::Text},
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
    EXPECT_EQ(handler->handleURLScheme(QUrl(QStringLiteral("orvane://open?url=https://example.com/") + path)),
              QStringLiteral("refused orvane://open: the address is longer than 32 KB"));
    EXPECT_EQ(state->tabs().tabs().size(), tabs);
    (void)handler->handleURLScheme(QUrl(QStringLiteral("orvane://shelf?link=https://example.com/") + path));
    EXPECT_TRUE(state->shelf().items().isEmpty());
    EXPECT_EQ(handler->handleURLScheme(QUrl(QStringLiteral("orvane://open?url=https://example.com/") + path.left(30000))),
              std::nullopt);
    EXPECT_EQ(state->tabs().tabs().size(), tabs + 1) << "a long but plausible address is fine";
}

struct RefusalCase
{
    const char *name;
    const char *url;
    // Null: carried out, nothing to say.
    const char *refusal;
};

class UrlCommandRefusals : public UrlCommands, public ::testing::WithParamInterface<RefusalCase> {};

// What the sending start prints before it exits with status 1 (which
// addresses are web addresses is WebAddresses' table). A refused
// command leaves the tabs, the settings and the prompt bar as they were, and
// a refused open leaves the panel hidden.
TEST_P(UrlCommandRefusals, SayWhyInOneLineAndChangeNothing)
{
    const RefusalCase &row = GetParam();
    const qsizetype tabs = state->tabs().tabs().size();
    const Settings settings = state->settings().values();
    const auto refusal = run(row.url);
    if (!row.refusal) {
        EXPECT_EQ(refusal, std::nullopt);
        return;
    }
    ASSERT_TRUE(refusal);
    EXPECT_EQ(*refusal, QString::fromUtf8(row.refusal));
    EXPECT_EQ(state->tabs().tabs().size(), tabs);
    EXPECT_EQ(state->settings().values(), settings);
    EXPECT_FALSE(state->capturedContext());
    if (refusal->startsWith(QLatin1String("refused orvane://open"))) {
        EXPECT_FALSE(surface.onScreen);
    }
}

const RefusalCase refusalCases[] = {
    {"open_without_a_query", "orvane://open", "refused orvane://open: url= is missing"},
    {"open_with_a_bare_key", "orvane://open?url", "refused orvane://open: url= is missing"},
    {"open_without_an_address", "orvane://open?url=", "refused orvane://open: url= is missing"},
    {"open_of_a_script", "orvane://open?url=javascript%3Aalert(1)",
     "refused orvane://open: only http and https addresses with a host are opened"},
    {"open_without_a_host", "orvane://open?url=https:no-host",
     "refused orvane://open: only http and https addresses with a host are opened"},
    {"open_of_a_web_address", "orvane://open?url=https%3A%2F%2Fexample.com%2F", nullptr},
    {"ai_without_a_prompt", "orvane://ai", "refused orvane://ai: prompt= is missing"},
    {"shelf_file_by_a_relative_path", "orvane://shelf?file=report.pdf",
     "refused orvane://shelf: file= is not an absolute path or a file: URL"},
    {"add_names_its_own_command", "orvane://add?text=kept&file=https%3A%2F%2Fexample.com%2Fa.pdf",
     "refused orvane://add: file= is not an absolute path or a file: URL"},
    {"shelf_with_nothing_only_shows_it", "orvane://shelf", nullptr},
    {"theme_of_an_unknown_name", "orvane://theme?name=sage", "refused orvane://theme: the themes are named aurora and ink"},
    {"theme_without_a_name_switches", "orvane://theme", nullptr},
    {"width_in_words", "orvane://width?val=wide", "refused orvane://width: val= is not a width in points"},
    {"width_not_a_number", "orvane://width?val=nan", "refused orvane://width: val= is not a width in points"},
    {"width_infinite", "orvane://width?val=inf", "refused orvane://width: val= is not a width in points"},
    {"width_without_a_value", "orvane://width", "refused orvane://width: val= is not a width in points"},
    {"width_in_points", "orvane://width?val=500", nullptr},
    {"another_scheme_is_ignored", "https://toggle", nullptr},
    {"an_unknown_command_shows_the_panel", "orvane://whatever?x=1", nullptr},
};

INSTANTIATE_TEST_SUITE_P(Rows, UrlCommandRefusals, ::testing::ValuesIn(refusalCases), rowName);

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
}

} // namespace
