// The pure rules of web pages: the identities they present, and what their
// links and windows may do beyond their tab.
#include "FakePorts.h"
#include "platform/AcceptedFileTypes.h"
#include "platform/DownloadName.h"
#include "platform/UserAgentMode.h"
#include "platform/WebDownloads.h"
#include "platform/WebLinkPolicy.h"
#include "state/AppState.h"
#include "web/DownloadReporter.h"
#include "web/UnreadCount.h"
#include "web/ZoomSteps.h"

#include <gtest/gtest.h>

namespace {

using namespace WebLinkPolicy;

TEST(WebRules, IdentitiesAreTheEnginesChromeOnLinuxAndOnAPhone)
{
    const QString qt64 = QStringLiteral("Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) "
                                        "QtWebEngine/6.4.2 Chrome/102.0.5005.177 Safari/537.36");
    const struct
    {
        const char *name;
        QString engine;
        UserAgentMode mode;
        QString expected;
    } rows[] = {
        {"the embedder's token goes", qt64, UserAgentMode::Desktop,
         QStringLiteral("Mozilla/5.0 (X11; Linux x86_64) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/102.0.5005.177 Safari/537.36")},
        {"the phone keeps the engine's version", qt64, UserAgentMode::Mobile,
         QStringLiteral("Mozilla/5.0 (Linux; Android 10; K) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/102.0.5005.177 "
                        "Mobile Safari/537.36")},
        {"a newer engine on another processor",
         QStringLiteral("Mozilla/5.0 (X11; Linux aarch64) AppleWebKit/537.36 (KHTML, like Gecko) QtWebEngine/6.8.1 "
                        "Chrome/122.0.6261.171 Safari/537.36"),
         UserAgentMode::Mobile,
         QStringLiteral("Mozilla/5.0 (Linux; Android 10; K) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/122.0.6261.171 "
                        "Mobile Safari/537.36")},
        {"an engine naming no Chrome keeps its own", QStringLiteral("Mozilla/5.0 Engine/1"), UserAgentMode::Mobile,
         QStringLiteral("Mozilla/5.0 Engine/1")},
    };
    for (const auto &row : rows)
        EXPECT_EQ(userAgentFor(row.mode, row.engine), row.expected) << row.name;
}

TEST(WebRules, NewWindowsGoWhereTheirKindBelongs)
{
    const QUrl web(QStringLiteral("https://accounts.example/signin"));
    const struct
    {
        const char *name;
        Destination destination;
        bool clicked;
        QUrl url;
        NewWindow expected;
    } rows[] = {
        {"a clicked pop-up with features is ours", Destination::Dialog, true, web, NewWindow::OwnPopup},
        {"an empty pop-up gets its address later", Destination::Dialog, true, QUrl(), NewWindow::OwnPopup},
        {"a pop-up nobody asked for is blocked", Destination::Dialog, false, web, NewWindow::Refused},
        {"a pop-up of a local file is refused", Destination::Dialog, true, QUrl(QStringLiteral("file:///etc/passwd")), NewWindow::Refused},
        {"a _blank link goes to the browser", Destination::Tab, true, web, NewWindow::DesktopBrowser},
        {"a middle click goes to the browser", Destination::BackgroundTab, true, web, NewWindow::DesktopBrowser},
        {"a shift click goes to the browser", Destination::Window, true, web, NewWindow::DesktopBrowser},
        {"a mail address goes to the desktop", Destination::Tab, true, QUrl(QStringLiteral("mailto:a@example.org")), NewWindow::DesktopBrowser},
        {"an unasked-for new tab is refused", Destination::Tab, false, web, NewWindow::Refused},
        {"a command of ours never leaves", Destination::Tab, true, QUrl(QStringLiteral("orvane://width?val=333")), NewWindow::Refused},
        {"an application's scheme never reaches the browser", Destination::Tab, true, QUrl(QStringLiteral("slack://open")), NewWindow::Refused},
        {"a web address without a host is refused", Destination::Tab, true, QUrl(QStringLiteral("https:")), NewWindow::Refused},
    };
    for (const auto &row : rows)
        EXPECT_EQ(forNewWindow(row.destination, row.clicked, row.url), row.expected) << row.name;
}

TEST(WebRules, OnlyAClickAndAnAnswerTakeAPageOutOfTheWeb)
{
    const struct
    {
        const char *name;
        const char *url;
        bool clicked;
        Navigation expected;
    } rows[] = {
        {"web pages load", "https://example.org/", false, Navigation::Load},
        {"about:blank loads", "about:blank", false, Navigation::Load},
        {"a clicked mail link asks", "mailto:a@example.org", true, Navigation::AskFirst},
        {"a clicked phone link asks", "tel:+15550100", true, Navigation::AskFirst},
        {"a clicked application link asks", "zoommtg://join?id=1", true, Navigation::AskFirst},
        {"a script's mail link is refused", "mailto:a@example.org", false, Navigation::Refused},
        {"a command of ours is refused even clicked", "orvane://width?val=333", true, Navigation::Refused},
        {"a local file is refused even clicked", "file:///etc/passwd", true, Navigation::Refused},
    };
    for (const auto &row : rows)
        EXPECT_EQ(forNavigation(QUrl(QString::fromLatin1(row.url)), row.clicked), row.expected) << row.name;
}

TEST(WebRules, APopupHasTheSizeAskedWithinTheScreen)
{
    const QRect screen(0, 0, 1440, 900);
    EXPECT_EQ(popupFrame(QRect(100, 50, 480, 600), screen), QRect(100, 50, 480, 600));
    EXPECT_EQ(popupFrame(QRect(0, 0, 480, 600), screen), QRect(480, 150, 480, 600)) << "no place asked: centred";
    EXPECT_EQ(popupFrame(QRect(1200, 50, 480, 600), screen), QRect(480, 150, 480, 600)) << "off the screen: centred";
    EXPECT_EQ(popupFrame(QRect(0, 0, 4000, 3000), screen), screen) << "larger than the screen";
    EXPECT_EQ(popupFrame(QRect(), screen).size(), QSize(500, 640)) << "no size asked";
}

TEST(WebRules, DownloadNamesStayInTheFolderVisibleAndShort)
{
    const QString longStem(300, QLatin1Char('a'));
    const struct
    {
        const char *name;
        QString suggested;
        QString expected;
    } rows[] = {
        {"an ordinary name stays", QStringLiteral("report.csv"), QStringLiteral("report.csv")},
        {"folders go", QStringLiteral("../../.bashrc"), QStringLiteral("bashrc")},
        {"back-slashed folders go", QStringLiteral("..\\evil.exe"), QStringLiteral("evil.exe")},
        {"a hidden name shows", QStringLiteral(".hidden"), QStringLiteral("hidden")},
        {"control characters go", QStringLiteral("a\nb\x07" "c.txt"), QStringLiteral("abc.txt")},
        {"nothing left is a download", QStringLiteral("../.."), QStringLiteral("download")},
        {"a long name keeps its extension", longStem + QStringLiteral(".pdf"), QString(239 - 4, QLatin1Char('a')) + QStringLiteral(".pdf")},
        {"a long name is cut between characters", QString(200, QChar(0x00e9)), QString(119, QChar(0x00e9))},
    };
    for (const auto &row : rows)
        EXPECT_EQ(DownloadName::safe(row.suggested), row.expected) << row.name;

    const QStringList present = {QStringLiteral("report.csv"), QStringLiteral("report (1).csv"), QStringLiteral("notes")};
    const auto taken = [&](const QString &name) { return present.contains(name); };
    EXPECT_EQ(DownloadName::unused(QStringLiteral("report.csv"), taken), QStringLiteral("report (2).csv"));
    EXPECT_EQ(DownloadName::unused(QStringLiteral("notes"), taken), QStringLiteral("notes (1)"));
    EXPECT_EQ(DownloadName::unused(QStringLiteral("fresh.txt"), taken), QStringLiteral("fresh.txt"));
}

TEST(WebRules, AFileInputsAcceptListBecomesTheChoosersPatterns)
{
    using AcceptedFileTypes::Pattern;
    const auto glob = [](const char *text) { return Pattern{Pattern::Glob, QString::fromLatin1(text)}; };
    const auto mime = [](const char *text) { return Pattern{Pattern::MimeType, QString::fromLatin1(text)}; };
    const struct
    {
        const char *name;
        QStringList accepted;
        QList<Pattern> expected;
    } rows[] = {
        {"extensions match either case", {QStringLiteral(".pdf"), QStringLiteral(".tar.gz")},
         {glob("*.[pP][dD][fF]"), glob("*.[tT][aA][rR].[gG][zZ]")}},
        {"types and families", {QStringLiteral("image/*"), QStringLiteral(" Text/CSV ")}, {mime("image/*"), mime("text/csv")}},
        {"digits have no case, repeats go", {QStringLiteral(".mp3"), QStringLiteral(".MP3")}, {glob("*.[mM][pP]3")}},
        {"anything accepted filters nothing", {QStringLiteral(".pdf"), QStringLiteral("*/*")}, {}},
        {"glob syntax, folders and junk are no patterns",
         {QStringLiteral(".*"), QStringLiteral("./x"), QStringLiteral(".[a]"), QStringLiteral("."), QStringLiteral("pdf"),
          QStringLiteral("image/"), QStringLiteral("/png"), QString()},
         {}},
    };
    for (const auto &row : rows)
        EXPECT_EQ(AcceptedFileTypes::patternsFor(row.accepted), row.expected) << row.name;
}

class ReportedDownloads final : public WebDownloads
{
public:
    void setObservers(Observers given) override { observers = std::move(given); }
    void cancel(quint32) override {}
    Observers observers;
};

TEST(WebRules, DownloadProgressIsRedrawnAtMostFourTimesASecondAndTheEndAtOnce)
{
    FakePorts fakes;
    AppState state(fakes.ports());
    ReportedDownloads downloads;
    DownloadReporter reporter(state, downloads, fakes.clock);
    const auto received = [&](qint64 bytes) { downloads.observers.progressed({1, QStringLiteral("big.bin"), bytes, 100}); };
    received(1);
    EXPECT_EQ(state.notice().text(), QStringLiteral("Downloading big.bin — 1%")) << "the first figure at once";
    fakes.clock.advance(0.1);
    received(40);
    EXPECT_EQ(state.notice().text(), QStringLiteral("Downloading big.bin — 1%")) << "not again within a quarter second";
    fakes.clock.advance(0.2);
    received(41);
    EXPECT_EQ(state.notice().text(), QStringLiteral("Downloading big.bin — 41%"));
    received(42);
    downloads.observers.finished(1, QStringLiteral("/tmp/big.bin"));
    EXPECT_EQ(state.notice().text(), QStringLiteral("Downloaded big.bin")) << "the end is never held back";
    received(1);
    EXPECT_EQ(state.notice().text(), QStringLiteral("Downloading big.bin — 1%")) << "the next download starts afresh";
}

TEST(WebRules, ATitleGivesACountOnlyWhenItAnnouncesMessages)
{
    const struct
    {
        const char *title;
        int count;
    } rows[] = {
        {"(3) Inbox", 3},
        {"Inbox (3) - me@example.org - Mail", 3},
        {"[12] Chat", 12},
        {"Trip planning (2 new)", 2},
        {"(99+) Team", 99},
        {"3 new messages", 3},
        {"Slack | 1 new notification", 1},
        {"Inbox - 5 unread", 5},
        {"Inbox", 0},
        {"Web 3.0", 0},
        {"Top 10 tips", 0},
        {"2024 report", 0},
        {"Annual report (2024)", 0},
        {"iPhone 15", 0},
        {"5 new ways to cook", 0},
        {"Version 2.3 new messages", 0},
    };
    for (const auto &row : rows)
        EXPECT_EQ(UnreadCount::fromTitle(QString::fromUtf8(row.title)), row.count) << row.title;
    EXPECT_EQ(UnreadCount::badgeText(9), QStringLiteral("9"));
    EXPECT_EQ(UnreadCount::badgeText(10), QStringLiteral("9+"));
}

TEST(WebRules, ZoomMovesInTheBrowsersStepsAndStopsAtTheEnds)
{
    const struct
    {
        int from;
        int larger;
        int smaller;
    } rows[] = {
        {100, 110, 90}, {25, 33, 25}, {300, 300, 250}, {67, 75, 50}, {80, 90, 75},
        // Between two steps, as a hand-edited file may leave it.
        {85, 90, 80},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(ZoomSteps::larger(row.from), row.larger) << row.from;
        EXPECT_EQ(ZoomSteps::smaller(row.from), row.smaller) << row.from;
    }
    EXPECT_EQ(ZoomSteps::nearest(1000), 300);
    EXPECT_EQ(ZoomSteps::nearest(68), 67);
}

} // namespace
