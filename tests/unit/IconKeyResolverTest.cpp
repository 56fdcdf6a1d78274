#include "icons/IconKeyResolver.h"

#include <gtest/gtest.h>

namespace {

struct KeyCase { const char *name; const char *key; const char *title; const char *url; const char *expected; };

class ResolveKey : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ResolveKey, GivesTheExpectedKey)
{
    const KeyCase &c = GetParam();
    EXPECT_EQ(IconKeyResolver::resolveKey(QString::fromUtf8(c.key), QString::fromUtf8(c.title), QUrl(QString::fromUtf8(c.url))),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ResolveKey,
    ::testing::Values(
        KeyCase{"known_key_is_trimmed_and_lower_cased", "Claude ", "", "", "claude"},
        KeyCase{"globe_with_notion_in_title", "globe", "My Notion workspace", "", "notion"},
        KeyCase{"empty_key_with_spreadsheet_title", "", "Budget spreadsheet", "", "googlesheets"},
        KeyCase{"docs_title_off_google_stays_web", "web", "Docs", "https://docs.rs/serde", "web"},
        KeyCase{"docs_title_on_a_google_host_naming_no_app", "web", "Docs", "https://lh3.googleusercontent.com/", "googledocs"},
        KeyCase{"known_openai_stays", "openai", "ChatGPT", "https://chatgpt.com/", "openai"},
        KeyCase{"openai_title_gives_chatgpt", "", "OpenAI Platform", "", "chatgpt"}, KeyCase{"known_x_stays", "x", "", "", "x"},
        KeyCase{"short_successor_domain_gives_twitter", "globe", "", "https://x.com/home", "twitter"},
        KeyCase{"x_inside_another_domain_is_not_twitter", "globe", "", "https://www.dropbox.com/home", "globe"},
        KeyCase{"unknown_mixed_case_key_is_lower_cased", "MyWiki", "Team pages", "https://wiki.example.com/", "mywiki"},
        KeyCase{"sheet_title_with_google_host", "", "Time sheet", "https://lh3.googleusercontent.com/x", "googlesheets"},
        KeyCase{"sheets_by_documents_host_and_path", "", "", "https://docs.google.com/spreadsheets/d/1", "googlesheets"},
        KeyCase{"slides_by_documents_host_and_path", "", "", "https://docs.google.com/presentation/d/1", "googleslides"},
        KeyCase{"documents_host_is_docs", "", "", "https://docs.google.com/document/d/1", "googledocs"},
        KeyCase{"calendar_host", "globe", "", "https://calendar.google.com/calendar/r", "calendar"},
        KeyCase{"mail_host", "globe", "", "https://mail.google.com/mail/u/0/", "gmail"},
        KeyCase{"search_country_domain", "globe", "", "https://www.google.co.uk/search?q=a", "google"},
        KeyCase{"search_prefix_domain", "globe", "", "https://google.nl/", "google"},
        KeyCase{"title_google_exactly", "", "Google", "", "google"},
        KeyCase{"googleusercontent_is_not_search", "globe", "", "https://lh3.googleusercontent.com/a", "globe"},
        KeyCase{"claude_host_before_other_rules", "", "", "https://claude.ai/new", "claude"},
        KeyCase{"keep_host", "", "", "https://keep.google.com/", "keep"},
        KeyCase{"github_title", "web", "GitHub", "", "github"},
        KeyCase{"youtube_short_link", "", "", "https://youtu.be/abc", "youtube"},
        KeyCase{"settings_title", "", "Settings", "", "settings"},
        KeyCase{"nothing_matches_keeps_generic", "globe", "Example", "https://example.com/", "globe"},
        // The address names the app; a title only where the address names none, and by whole words.
        KeyCase{"host_outweighs_a_title_naming_another_app", "globe", "Claude's notes", "https://github.com/a", "github"},
        KeyCase{"host_outweighs_a_docs_title", "web", "Docs", "https://www.google.com/", "google"},
        KeyCase{"a_word_inside_another_names_nothing", "globe", "The project keeps going", "https://example.com/", "globe"},
        KeyCase{"a_word_ending_in_another_names_nothing", "", "Timesheet", "https://example.com/", ""},
        KeyCase{"a_whole_word_may_choose_an_icon", "globe", "A notion of design", "https://example.com/", "notion"},
        KeyCase{"a_phrase_may_choose_an_icon", "globe", "Slack time tracker", "https://example.com/", "slack"},
        KeyCase{"gallery_app_without_a_drawn_icon", "", "", "https://www.tiktok.com/", "tiktok"}), rowName);

struct AddressCase { const char *name; const char *url; const char *app; };

class AppForAddress : public ::testing::TestWithParam<AddressCase> {};

TEST_P(AppForAddress, NamesTheAppByTheAddressAlone)
{
    EXPECT_EQ(IconKeyResolver::appForAddress(QUrl(QString::fromUtf8(GetParam().url))), QString::fromUtf8(GetParam().app));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, AppForAddress,
    ::testing::Values(AddressCase{"app_host", "https://www.notion.so/team", "notion"},
                      AddressCase{"host_in_capitals", "https://KEEP.google.com/", "keep"},
                      AddressCase{"documents_host_by_path", "https://docs.google.com/spreadsheets/d/1", "googlesheets"},
                      AddressCase{"unknown_host", "https://keeps-going.example/keep", ""},
                      AddressCase{"no_address", "", ""}), rowName);

TEST(IconKeys, EveryKnownKeyStaysWhateverTheTitleAndAddressSay)
{
    for (const QString &key : IconKeyResolver::knownKeys())
        EXPECT_EQ(IconKeyResolver::resolveKey(key, QStringLiteral("Claude"), QUrl(QStringLiteral("https://github.com"))), key);
}

} // namespace
