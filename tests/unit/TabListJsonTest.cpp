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
    tab.desktopZoomPercent = 80;
    tab.mobileZoomPercent = 125;
    return tab;
}

TEST(TabListJson, WritesMembersInTheirFixedOrderCompactlyAndReadsThemBack)
{
    TabModel plain = fullTab();
    plain.id = QUuid::fromString(QStringLiteral("7f9619ff-8b86-d011-b42d-00c04fc964ff"));
    plain.iconURL.reset();
    plain.customCSS.reset();
    plain.userAgentMode = UserAgentMode::Desktop;
    plain.desktopZoomPercent = plain.mobileZoomPercent = 100;
    const QByteArray expected =
        R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","title":"Docs \"beta\"","url":"https://example.com/a?b=c",)"
        R"("iconKey":"globe","iconURL":"https://example.com/icon.png","userAgentMode":"Mobile","isAIProvider":true,)"
        R"("isHibernated":false,"lastActiveDate":100.5,"desktopZoom":80,"mobileZoom":125,"customCSS":"body{}"},)"
        R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"Docs \"beta\"","url":"https://example.com/a?b=c",)"
        R"("iconKey":"globe","userAgentMode":"Desktop","isAIProvider":true,"isHibernated":false,"lastActiveDate":100.5}])";
    EXPECT_EQ(TabListJson::encode({fullTab(), plain}), expected);
    EXPECT_EQ(TabListJson::decode(expected, loadTime), (QList<TabModel>{fullTab(), plain})) << "and read back whole";
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
    EXPECT_EQ(tab.desktopZoomPercent, 100);
    EXPECT_EQ(tab.mobileZoomPercent, 100);
}

QByteArray recordWithDate(const QByteArray &seconds)
{
    return R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","title":"A","url":"https://a.test/","iconKey":"globe",)"
           R"("lastActiveDate":)" + seconds + "}]";
}

// Hand-edited dates beyond the years 1 to 9999 once overflowed on the way out
// and came back as dates in the distant past.
TEST(TabListJson, DatesOutsideTheYearsOneTo9999AreReadAsMissing)
{
    const std::pair<const char *, QDateTime> rows[] = {
        {"9.2e15", loadTime}, {"9.3e15", loadTime},
        {"-7e10", loadTime}, {"1e308", loadTime},
        {"252423993599.999", QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999), Qt::UTC)},
        {"-63113904000", QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC)},
    };
    for (const auto &[seconds, expected] : rows) {
        const auto tabs = TabListJson::decode(recordWithDate(seconds), loadTime);
        ASSERT_TRUE(tabs) << seconds;
        EXPECT_EQ(tabs->first().lastActiveDate, expected) << seconds;
        const auto again = TabListJson::decode(TabListJson::encode(*tabs), loadTime.addDays(1));
        ASSERT_TRUE(again) << seconds;
        EXPECT_EQ(again->first().lastActiveDate, expected) << seconds << " after saving";
    }
}

TEST(TabListJson, DatesAreWrittenWithinTheYearsOneTo9999)
{
    TabModel tab = fullTab();
    const std::pair<QDateTime, const char *> rows[] = {
        {QDateTime(QDate(300000, 1, 1), QTime(0, 0), Qt::UTC), "252423993599.999"},
        {QDateTime(QDate(-5000, 1, 1), QTime(0, 0), Qt::UTC), "-63113904000"},
    };
    for (const auto &[date, stored] : rows) {
        tab.lastActiveDate = date;
        const QByteArray json = TabListJson::encode({tab});
        EXPECT_TRUE(json.contains(QByteArray("\"lastActiveDate\":") + stored)) << json.constData();
    }
}

TEST(TabListJson, ARepeatedIdIsReplacedAndTheTabKept)
{
    const QByteArray stored =
        R"([{"id":"6F9619FF-8B86-D011-B42D-00C04FC964FF","title":"First","url":"https://a.test/","iconKey":"globe"},)"
        R"({"id":"6f9619ff-8b86-d011-b42d-00c04fc964ff","title":"Second","url":"https://b.test/","iconKey":"web","isHibernated":true},)"
        R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"Third","url":"https://c.test/","iconKey":"globe"}])";
    const auto tabs = TabListJson::decode(stored, loadTime);
    ASSERT_TRUE(tabs);
    ASSERT_EQ(tabs->size(), 3);
    EXPECT_EQ(tabs->at(0).id, QUuid::fromString(QStringLiteral("6F9619FF-8B86-D011-B42D-00C04FC964FF")));
    EXPECT_EQ(tabs->at(2).id, QUuid::fromString(QStringLiteral("7F9619FF-8B86-D011-B42D-00C04FC964FF")));
    const TabModel &second = tabs->at(1);
    EXPECT_FALSE(second.id.isNull());
    EXPECT_NE(second.id, tabs->at(0).id);
    EXPECT_NE(second.id, tabs->at(2).id);
    EXPECT_EQ(second.title, QStringLiteral("Second")) << "the rest of the record is kept";
    EXPECT_TRUE(second.isHibernated);
}

struct UnreadableCase { const char *name; const char *json; };

class UnreadableTabList : public ::testing::TestWithParam<UnreadableCase> {};

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
        UnreadableCase{"css_not_a_string", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"B","url":"https://b.test/","iconKey":"globe","customCSS":1})"},
        UnreadableCase{"zoom_not_a_number", R"({"id":"7F9619FF-8B86-D011-B42D-00C04FC964FF","title":"B","url":"https://b.test/","iconKey":"globe","desktopZoom":"80"})"}),
    rowName);

} // namespace
