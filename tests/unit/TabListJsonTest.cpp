#include "web/TabListJson.h"

#include <gtest/gtest.h>

namespace {

const QDateTime loadTime(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);

TabModel fullTab()
{
    TabModel tab;
    tab.id = QUuid::fromString(QStringLiteral("6f9619ff-8b86-d011-b42d-00c04fc964ff"));
    tab.title = QStringLiteral("Docs \"beta\"");
    tab.url = QUrl(QStringLiteral("https://example.com/a?b=c"));
    tab.iconKey = QStringLiteral("globe");
    tab.iconURL = QUrl(QStringLiteral("https://example.com/icon.png"));
    tab.userAgentMode = UserAgentMode::Mobile;
    tab.isAIProvider = true;
    tab.isHibernated = false;
    tab.lastActiveDate = QDateTime(QDate(2001, 1, 1), QTime(0, 1, 40, 500), Qt::UTC);
    tab.customCSS = QStringLiteral("body{}");
    return tab;
}

TEST(TabListJson, WritesMembersInTheirFixedOrderCompactly)
{
    TabModel plain = fullTab();
    plain.iconURL.reset();
    plain.customCSS.reset();
    plain.userAgentMode = UserAgentMode::Desktop;
    const QByteArray expected =
        R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","title":"Docs \"beta\"","url":"https://example.com/a?b=c",)"
        R"("iconKey":"globe","iconURL":"https://example.com/icon.png","userAgentMode":"Mobile","isAIProvider":true,)"
        R"("isHibernated":false,"lastActiveDate":100.5,"customCSS":"body{}"},)"
        R"({"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","title":"Docs \"beta\"","url":"https://example.com/a?b=c",)"
        R"("iconKey":"globe","userAgentMode":"Desktop","isAIProvider":true,"isHibernated":false,"lastActiveDate":100.5}])";
    EXPECT_EQ(TabListJson::encode({fullTab(), plain}), expected);
}

TEST(TabListJson, RoundTripKeepsEveryField)
{
    TabModel second = fullTab();
    second.id = QUuid::createUuid();
    second.iconURL.reset();
    second.customCSS.reset();
    second.lastActiveDate = QDateTime(QDate(2026, 12, 6), QTime(16, 8, 22, 123), Qt::UTC);
    const QList<TabModel> tabs = {fullTab(), second};
    EXPECT_EQ(TabListJson::decode(TabListJson::encode(tabs), loadTime), tabs);
}

TEST(TabListJson, MissingOptionalMembersTakeTheirDefaults)
{
    const QByteArray stored = R"([{"iconKey":"web","url":"https://x.test/","title":"T",)"
                              R"("id":"6f9619ff-8b86-d011-b42d-00c04fc964ff","userAgentMode":null,"isHibernated":null}])";
    const auto tabs = TabListJson::decode(stored, loadTime);
    ASSERT_TRUE(tabs);
    ASSERT_EQ(tabs->size(), 1);
    const TabModel &tab = tabs->first();
    EXPECT_EQ(tab.userAgentMode, UserAgentMode::Desktop);
    EXPECT_FALSE(tab.isAIProvider);
    EXPECT_FALSE(tab.isHibernated);
    EXPECT_EQ(tab.lastActiveDate, loadTime);
    EXPECT_FALSE(tab.iconURL);
    EXPECT_FALSE(tab.customCSS);
}

struct UnreadableCase
{
    const char *name;
    const char *json;
};

class UnreadableTabList : public ::testing::TestWithParam<UnreadableCase>
{
};

TEST_P(UnreadableTabList, FailsAsAWhole)
{
    // A good record first: one bad record still spoils the list.
    const QByteArray good = R"({"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","title":"A","url":"https://a.test/","iconKey":"globe"})";
    const QByteArray json = GetParam().json;
    const QByteArray data = json.startsWith('{') ? "[" + good + "," + json + "]" : json;
    EXPECT_FALSE(TabListJson::decode(data, loadTime)) << data.constData();
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UnreadableTabList,
    ::testing::Values(
        UnreadableCase{"malformed_json", R"([{"id":)"},
        UnreadableCase{"top_level_object", R"({"tabs":[]})"},
        UnreadableCase{"element_not_an_object", R"(["tab"])"},
        UnreadableCase{"missing_id", R"({"title":"B","url":"https://b.test/","iconKey":"globe"})"},
        UnreadableCase{"id_not_a_uuid", R"({"id":"tab-1","title":"B","url":"https://b.test/","iconKey":"globe"})"},
        UnreadableCase{"missing_title", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","url":"https://b.test/","iconKey":"globe"})"},
        UnreadableCase{"title_not_a_string", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":3,"url":"https://b.test/","iconKey":"globe"})"},
        UnreadableCase{"url_not_a_url", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"B","url":"http://exa mple.com/<>","iconKey":"globe"})"},
        UnreadableCase{"empty_url", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"B","url":"","iconKey":"globe"})"},
        UnreadableCase{"missing_icon_key", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"B","url":"https://b.test/"})"},
        UnreadableCase{"icon_url_not_a_url", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"B","url":"https://b.test/","iconKey":"globe","iconURL":""})"},
        UnreadableCase{"unknown_user_agent_mode", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"B","url":"https://b.test/","iconKey":"globe","userAgentMode":"Tablet"})"},
        UnreadableCase{"user_agent_mode_in_lower_case", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"B","url":"https://b.test/","iconKey":"globe","userAgentMode":"desktop"})"},
        UnreadableCase{"flag_as_text", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"B","url":"https://b.test/","iconKey":"globe","isAIProvider":"yes"})"},
        UnreadableCase{"date_as_text", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"B","url":"https://b.test/","iconKey":"globe","lastActiveDate":"today"})"},
        UnreadableCase{"css_not_a_string", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"B","url":"https://b.test/","iconKey":"globe","customCSS":1})"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
