// The app gallery's catalogue, search and tab operations, without a display.
#include "FakePorts.h"
#include "gallery/AppGallery.h"
#include "state/AppState.h"
#include "web/TabList.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class Gallery : public ::testing::Test
{
protected:
    Gallery()
    {
        fakes.store.values.insert(QStringLiteral("Orvane_followSystemTheme"), false);
        state = std::make_unique<AppState>(fakes.ports());
        gallery = std::make_unique<AppGallery>(state->tabs(), state->content());
    }

    static QStringList names(const QList<GalleryAppItem> &apps)
    {
        QStringList result;
        for (const GalleryAppItem &app : apps)
            result.append(app.name);
        return result;
    }
    const GalleryAppItem &app(const char *name) const
    {
        const QList<GalleryAppItem> &catalog = gallery->catalog();
        return *std::find_if(catalog.cbegin(), catalog.cend(),
                             [name](const GalleryAppItem &item) { return item.name == QLatin1String(name); });
    }
    const TabModel &lastTab() const { return state->tabs().tabs().constLast(); }

    FakePorts fakes;
    std::unique_ptr<AppState> state;
    std::unique_ptr<AppGallery> gallery;
};

TEST_F(Gallery, SearchFindsNamesInAnyCaseAsTypedInCatalogueOrder)
{
    EXPECT_EQ(gallery->filteredApps().size(), 22);
    gallery->setSearchQuery(QStringLiteral("google"));
    EXPECT_EQ(names(gallery->filteredApps()),
              QStringList({"Google Calendar", "Google Keep", "Google", "Google Docs", "Google Sheets", "Google Drive"}));
    gallery->setSearchQuery(QStringLiteral("GIT"));
    EXPECT_EQ(names(gallery->filteredApps()), QStringList({"GitHub"}));
    EXPECT_EQ(gallery->noResultsText(), QString()) << "GitHub is found";
    gallery->setSearchQuery(QStringLiteral(" git"));
    EXPECT_EQ(names(gallery->filteredApps()), QStringList()) << "not trimmed";
    EXPECT_EQ(gallery->noResultsText(), QStringLiteral("No apps match \u201C git\u201D"));
}

// Alt+A with no AI tab offers the gallery: it opens on the AI apps alone,
// until the user widens it or opens it some other way.
TEST_F(Gallery, TheNoAITabHintOpensTheGalleryOnTheAIApps)
{
    for (const TabModel &tab : QList<TabModel>(state->tabs().tabs()))
        state->tabs().setTabIsAIProvider(tab.id, false);
    const auto pressTheHint = [this] {
        ASSERT_FALSE(state->showAITab());
        state->notice().press();
        ASSERT_TRUE(state->content().showAppGallery());
    };
    pressTheHint();
    EXPECT_EQ(names(gallery->filteredApps()), QStringList({"Claude", "ChatGPT", "Perplexity"}));
    gallery->setSearchQuery(QStringLiteral("c"));
    EXPECT_EQ(names(gallery->filteredApps()), QStringList({"Claude", "ChatGPT"})) << "searched within the category";
    gallery->setSearchQuery(QString());

    state->content().setShowAppGallery(false);
    state->content().setShowAppGallery(true);
    EXPECT_EQ(gallery->filteredApps().size(), 22) << "opened from the rail: every app";
    pressTheHint();
    gallery->showAllApps();
    EXPECT_EQ(gallery->filteredApps().size(), 22) << "widened by the user";
}

struct AddressCase { const char *name; const char *title; const char *url; const char *app; bool installed; };

class GalleryByAddress : public Gallery, public ::testing::WithParamInterface<AddressCase> {};

// Only the tab's address makes it an app's tab: a title naming the app does
// not, so the app's Open and Remove leave such a tab alone.
TEST_P(GalleryByAddress, TheTabsAddressAloneMakesItTheAppsTab)
{
    const AddressCase &row = GetParam();
    const GalleryAppItem &item = app(row.app);
    while (const auto tab = gallery->matchingTab(item))
        state->tabs().removeTab(tab->id);
    state->tabs().addTab(QString::fromUtf8(row.title), QUrl(QString::fromUtf8(row.url)), QStringLiteral("globe"), false);
    const QUuid added = lastTab().id;
    state->tabs().selectTab(state->tabs().tabs().first().id);
    EXPECT_EQ(gallery->isInstalled(item), row.installed);

    gallery->open(item);
    EXPECT_EQ(state->tabs().activeTab()->id == added, row.installed) << "Open shows only the app's own tab";
    gallery->remove(item);
    EXPECT_EQ(TabList::indexOf(state->tabs().tabs(), added) < 0, row.installed) << "Remove takes only the app's own tab";
}

const AddressCase addressCases[] = {
    {"a_word_of_the_title_is_not_keep", "The project keeps going", "https://blog.example/keep", "Google Keep", false},
    {"a_title_naming_notion_is_not_notion", "A notion of design", "https://design.example/", "Notion", false},
    {"a_title_naming_slack_is_not_slack", "Slack time tracker", "https://tracker.example/", "Slack", false},
    {"the_apps_own_name_as_title_is_not_the_app", "Linear", "https://example.com/", "Linear", false},
    {"the_apps_host_under_another_title", "Team wiki", "https://www.notion.so/team", "Notion", true},
    {"another_page_of_the_apps_host", "Keep", "https://keep.google.com/u/0/#home", "Google Keep", true},
    {"sheets_on_the_documents_host_is_not_docs", "Budget", "https://docs.google.com/spreadsheets/d/1", "Google Docs", false},
    {"sheets_on_the_documents_host", "Budget", "https://docs.google.com/spreadsheets/d/1", "Google Sheets", true},
    {"app_without_a_drawn_icon_by_its_host", "Clips", "https://tiktok.com/@someone", "TikTok", true},
};

INSTANTIATE_TEST_SUITE_P(Rows, GalleryByAddress, ::testing::ValuesIn(addressCases), rowName);

TEST_F(Gallery, AnAppOnAnAddressThatNamesNoAppIsKnownByItsHost)
{
    gallery->setCatalog({{QStringLiteral("wiki"), QStringLiteral("Wiki"), QUrl(QStringLiteral("http://wiki.intranet/start")),
                          QStringLiteral("wiki"), false}});
    const GalleryAppItem &wiki = gallery->catalog().first();
    state->tabs().addTab(QStringLiteral("Wiki"), QUrl(QStringLiteral("http://intranet/wiki")), QStringLiteral("wiki"), false);
    EXPECT_FALSE(gallery->isInstalled(wiki)) << "neither its name nor its key";
    state->tabs().addTab(QStringLiteral("Home"), QUrl(QStringLiteral("http://WIKI.intranet/pages/home")), QString(), false);
    EXPECT_EQ(gallery->matchingTab(wiki)->id, lastTab().id);
}

TEST_F(Gallery, AddStaysOpenOpenClosesRemoveStaysOpen)
{
    QSignalSpy closes(gallery.get(), &AppGallery::closeRequested);
    gallery->add(app("Perplexity"));
    EXPECT_EQ(lastTab().title, QStringLiteral("Perplexity"));
    EXPECT_TRUE(lastTab().isAIProvider);
    EXPECT_EQ(state->tabs().activeTab()->id, lastTab().id);
    EXPECT_TRUE(gallery->isInstalled(app("Perplexity")));
    EXPECT_EQ(closes.size(), 0);

    gallery->open(app("Gmail"));
    EXPECT_EQ(state->tabs().activeTab()->title, QStringLiteral("Gmail"));
    EXPECT_FALSE(state->tabs().activeTab()->isHibernated) << "selected, so awake";
    EXPECT_EQ(closes.size(), 1);

    gallery->remove(app("Perplexity"));
    EXPECT_FALSE(gallery->isInstalled(app("Perplexity")));
    EXPECT_EQ(closes.size(), 1);
}

struct CustomCase
{
    const char *name;
    const char *typed;
    // Empty: nothing is added and the gallery stays open.
    const char *opens;
    const char *title;
    bool isAI;
};

class GalleryCustomAddress : public Gallery, public ::testing::WithParamInterface<CustomCase> {};

TEST_P(GalleryCustomAddress, BecomesATabTitledWithItsHostAndClosesTheGallery)
{
    const CustomCase &row = GetParam();
    QSignalSpy closes(gallery.get(), &AppGallery::closeRequested);
    const qsizetype before = state->tabs().tabs().size();
    const bool added = gallery->submitCustomURL(QString::fromUtf8(row.typed));
    if (!*row.opens) {
        EXPECT_FALSE(added);
        EXPECT_EQ(state->tabs().tabs().size(), before);
        EXPECT_EQ(closes.size(), 0);
        return;
    }
    EXPECT_TRUE(added);
    ASSERT_EQ(state->tabs().tabs().size(), before + 1);
    EXPECT_EQ(lastTab().url, QUrl(QString::fromUtf8(row.opens)));
    EXPECT_EQ(lastTab().title, QString::fromUtf8(row.title));
    EXPECT_EQ(lastTab().isAIProvider, row.isAI);
    EXPECT_EQ(state->tabs().activeTab()->id, lastTab().id);
    EXPECT_EQ(closes.size(), 1);
}

const CustomCase customCases[] = {
    {"without_scheme_gets_https", "example.org/start", "https://example.org/start", "example.org", false},
    {"surrounding_white_space_is_trimmed", " \n https://example.org \t", "https://example.org", "example.org", false},
    {"scheme_in_capitals_is_a_scheme", "HTTPS://example.org", "https://example.org", "example.org", false},
    {"local_server_gets_http", "localhost:3000", "http://localhost:3000", "localhost", false},
    {"perplexity_by_address_is_an_ai_tab", "perplexity.ai", "https://perplexity.ai", "perplexity.ai", true},
    {"blank_field_does_nothing", "  \n ", "", "", false}, {"another_scheme_does_nothing", "javascript:alert(1)", "", "", false},
};

INSTANTIATE_TEST_SUITE_P(Rows, GalleryCustomAddress, ::testing::ValuesIn(customCases), rowName);

} // namespace
