#include "FakeDesktopNotifications.h"
#include "FakePorts.h"
#include "state/AppState.h"
#include "web/NotificationRelay.h"
#include "web/SitePermissions.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using Answer = SitePermissions::Answer;
using Decision = SitePermissions::Decision;
using Feature = WebPage::Feature;

const QUrl mail(QStringLiteral("https://mail.example.com/"));
const QUrl chat(QStringLiteral("http://127.0.0.1:8080"));
const QString storeKey = QStringLiteral("Orvane_notificationSites");

TEST(Notifications, OnlyNotificationsAreAskedAndThenAnsweredAsTheUserSaid)
{
    struct Case
    {
        const char *name;
        Feature feature;
        std::optional<Answer> remembered;
        Decision expected;
    };
    const Case cases[] = {
        {"a site not answered yet is asked", Feature::Notifications, std::nullopt, Decision::Ask},
        {"an allowed site is granted", Feature::Notifications, Answer::Allow, Decision::Grant},
        {"a blocked site is refused", Feature::Notifications, Answer::Block, Decision::Refuse},
        {"the camera is never asked for", Feature::Camera, std::nullopt, Decision::Refuse},
        {"an allowed site still has no camera", Feature::Camera, Answer::Allow, Decision::Refuse},
        {"the microphone is never asked for", Feature::Microphone, Answer::Allow, Decision::Refuse},
        {"the location is never asked for", Feature::Location, std::nullopt, Decision::Refuse},
        {"the screen is never asked for", Feature::ScreenCapture, Answer::Allow, Decision::Refuse},
        {"anything else is never asked for", Feature::Other, std::nullopt, Decision::Refuse},
    };
    for (const Case &c : cases)
        EXPECT_EQ(SitePermissions::decide(c.feature, c.remembered), c.expected) << c.name;
}

TEST(Notifications, AnswersArePerSiteReadableRevocableAndKeptAcrossARestart)
{
    MemoryStore store;
    SitePermissions sites(store);
    sites.remember(mail, Answer::Allow);
    sites.remember(chat, Answer::Block);
    EXPECT_EQ(sites.answerFor(QUrl(QStringLiteral("https://mail.example.com"))), Answer::Allow) << "with or without the slash";
    EXPECT_EQ(sites.answerFor(QUrl(QStringLiteral("http://127.0.0.1:8081"))), std::nullopt) << "another port is another site";
    EXPECT_EQ(sites.answerFor(QUrl(QStringLiteral("http://mail.example.com"))), std::nullopt) << "another scheme too";
    EXPECT_TRUE(store.dataValue(storeKey)->contains(R"("https://mail.example.com": "allow")"));

    SitePermissions restarted(store);
    restarted.load();
    ASSERT_EQ(restarted.sites().size(), 2);
    EXPECT_EQ(restarted.answerFor(chat), Answer::Block);
    restarted.revoke(restarted.sites().at(0).origin);
    SitePermissions again(store);
    again.load();
    EXPECT_EQ(again.answerFor(chat), std::nullopt);
    EXPECT_EQ(again.answerFor(mail), Answer::Allow);
    EXPECT_EQ(SitePermissions::siteName(chat), QStringLiteral("127.0.0.1:8080"));
}

TEST(Notifications, AnUnreadableOrStrangeStoredListAsksAgainAndKeepsWhatItCanRead)
{
    const std::pair<const char *, QByteArray> cases[] = {
        {"not JSON", "{\"https://mail.example.com\": allow"},
        {"a list", R"(["https://mail.example.com"])"},
        {"answers of another kind, and a site that is no address", R"({"https://mail.example.com": "prompt", "mail": "allow",
                                                                      "http://127.0.0.1:8080": "block"})"},
    };
    for (const auto &[name, stored] : cases) {
        MemoryStore store;
        store.setData(storeKey, stored);
        SitePermissions sites(store);
        sites.load();
        EXPECT_EQ(sites.answerFor(mail), std::nullopt) << name;
        EXPECT_EQ(sites.sites().size(), QByteArray(name).startsWith("answers") ? 1 : 0) << name;
    }
}

TEST(Notifications, AllowedSitesReachTheDesktopUnderTheirTabAndAClickAsksForThatTab)
{
    FakePorts fakes;
    AppState state(fakes.ports());
    state.tabs().addTab(QStringLiteral("Mail"), mail, QString(), false);
    const QUuid mailTab = state.tabs().tabs().constLast().id;
    FakeDesktopNotifications desktop;
    NotificationRelay relay(state, desktop);
    QSignalSpy asked(&relay, &NotificationRelay::tabAsked);
    int clicks = 0;
    int closes = 0;
    const auto fromSite = [&](const QUrl &origin) {
        return WebNotification{origin, QStringLiteral("New mail"), QStringLiteral("From Ada"), {}, [&] { ++clicks; },
                               [&] { ++closes; }};
    };

    relay.present(fromSite(mail));
    state.sitePermissions().remember(chat, Answer::Block);
    relay.present(fromSite(chat));
    EXPECT_TRUE(desktop.shown.isEmpty()) << "nothing from a site not allowed";

    state.sitePermissions().remember(mail, Answer::Allow);
    relay.present(fromSite(QUrl(QStringLiteral("https://mail.example.com"))));
    ASSERT_EQ(desktop.shown.size(), 1);
    EXPECT_EQ(desktop.shown.at(0).appName, QStringLiteral("Mail"));
    EXPECT_EQ(desktop.shown.at(0).summary, QStringLiteral("Mail: New mail"));
    EXPECT_EQ(desktop.shown.at(0).body, QStringLiteral("From Ada"));

    desktop.observers.activated(1);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.at(0).at(0).toUuid(), mailTab);
    EXPECT_EQ(clicks, 1);
    desktop.observers.closed(1);
    desktop.observers.activated(1);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(asked.size(), 1) << "a notification gone is forgotten";

    state.sitePermissions().revoke(state.sitePermissions().sites().at(1).origin);
    relay.present(fromSite(mail));
    EXPECT_EQ(desktop.shown.size(), 1) << "a revoked site is heard no more";
}

} // namespace
