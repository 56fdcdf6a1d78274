// Tabs in the real web engine, against pages this test serves on 127.0.0.1.
#include "EventLoopWait.h"
#include "FakePorts.h"
#include "LocalHttpServer.h"
#include "TestFiles.h"
#include "platform/qt/QtClock.h"
#include "state/AppState.h"
#include "web/HibernationEngine.h"
#include "platform/qt/ProcFsMemory.h"
#include "platform/qt/QtWebPage.h"
#include "web/WebContainerView.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QEventLoop>

#include <gtest/gtest.h>

namespace {

QByteArray page(const QByteArray &title, const QByteArray &head = {}, const QByteArray &body = {})
{
    return "<!doctype html><html><head><title>" + title + "</title>" + head + "</head><body>" + body + "</body></html>";
}

class WebPages : public ::testing::Test
{
protected:
    WebPages()
    {
        state = std::make_unique<AppState>(Ports{clock, store, appearance, memory});
        engine = std::make_unique<HibernationEngine>(*state, clock, factory);
    }

    // Adds a tab for the path and returns its index.
    int addTab(const QString &path, const QString &title = QStringLiteral("Web"))
    {
        state->tabs().addTab(title, server.address().resolved(QUrl(path)), QString(), false);
        return int(state->tabs().tabs().size() - 1);
    }

    const TabModel &tab(int index) const { return state->tabs().tabs().at(index); }
    QtWebPage &pageOf(int index) { return static_cast<QtWebPage &>(engine->getOrCreateWebView(tab(index))); }

    QtClock clock;
    MemoryStore store;
    FakeAppearance appearance;
    FakeMemory memory;
    QtWebPageFactory factory;
    LocalHttpServer server;
    std::unique_ptr<AppState> state;
    std::unique_ptr<HibernationEngine> engine;
};

TEST_F(WebPages, TitleAndAddressFollowThePageThroughARedirect)
{
    server.setReply(QStringLiteral("/start"), {302, {}, "text/html", {"Location: /final"}, 0});
    server.setReply(QStringLiteral("/final"), {200, page("Final Page"), "text/html", {}, 0});
    const int index = addTab(QStringLiteral("/start"));
    pageOf(index);
    EXPECT_TRUE(spinUntil([&] { return tab(index).title == QLatin1String("Final Page"); })) << tab(index).title.toStdString();
    EXPECT_EQ(tab(index).url.path(), QStringLiteral("/final"));
}

TEST_F(WebPages, TheDiscoveryScriptReportsTheBestIcon)
{
    server.setReply(QStringLiteral("/sized"), {200, page("Sized", R"(<link rel="icon" sizes="32x32" href="/i32.png"><link rel="icon" sizes="192x192" href="/i192.png">)"), "text/html", {}, 0});
    server.setReply(QStringLiteral("/late"), {200, page("Late", R"(<link rel="icon" href="/plain.ico"><link rel="shortcut icon" sizes="16x16" href="/i16.png">)"), "text/html", {}, 0});
    server.setReply(QStringLiteral("/touch"), {200, page("Touch", R"(<link rel="icon" sizes="512x512" href="/big.png"><link rel="apple-touch-icon" href="/touch.png">)"), "text/html", {}, 0});
    server.setReply(QStringLiteral("/none"), {200, page("None"), "text/html", {}, 0});
    const int sized = addTab(QStringLiteral("/sized"));
    const int late = addTab(QStringLiteral("/late"));
    const int touch = addTab(QStringLiteral("/touch"));
    const int none = addTab(QStringLiteral("/none"));
    for (int index : {sized, late, touch, none})
        pageOf(index);
    const auto iconPath = [&](int index) { return tab(index).iconURL ? tab(index).iconURL->path() : QString(); };
    EXPECT_TRUE(spinUntil([&] { return !iconPath(sized).isEmpty() && !iconPath(late).isEmpty() && !iconPath(touch).isEmpty(); }));
    EXPECT_EQ(iconPath(sized), QStringLiteral("/i192.png"));
    EXPECT_EQ(iconPath(late), QStringLiteral("/i16.png"));
    EXPECT_EQ(iconPath(touch), QStringLiteral("/touch.png"));
    EXPECT_TRUE(spinUntil([&] { return tab(none).title == QLatin1String("None"); }));
    spinFor(300);
    EXPECT_FALSE(tab(none).iconURL);
}

TEST_F(WebPages, AHibernatedSlowPageNeverUpdatesItsRecord)
{
    server.setReply(QStringLiteral("/slow"), {200, page("Too Late"), "text/html", {}, 1500});
    const int index = addTab(QStringLiteral("/slow"));
    pageOf(index);
    ASSERT_TRUE(spinUntil([&] { return server.requestCount(QStringLiteral("/slow")) == 1; }));
    const TabModel before = tab(index);
    engine->hibernateTab(tab(index).id);
    spinFor(2500);
    TabModel after = tab(index);
    after.isHibernated = before.isHibernated;
    EXPECT_EQ(after, before);
    EXPECT_TRUE(tab(index).isHibernated);
}

TEST_F(WebPages, ARetiredPageGivesItsRendererProcessBack)
{
    server.setReply(QStringLiteral("/heavy"), {200, page("Heavy"), "text/html", {}, 0});
    const int index = addTab(QStringLiteral("/heavy"));
    QtWebPage &webPage = pageOf(index);
    ASSERT_TRUE(spinUntil([&] { return tab(index).title == QLatin1String("Heavy") && webPage.rendererProcessId() > 0; }));
    const qint64 renderer = webPage.rendererProcessId();
    const QString proc = QStringLiteral("/proc/%1").arg(renderer);
    ASSERT_TRUE(QFileInfo::exists(proc));
    engine->hibernateTab(tab(index).id);
    EXPECT_TRUE(spinUntil([&] { return !QFileInfo::exists(proc); }, 10000)) << "renderer " << renderer << " still runs";
}

// The web engine's renderer processes that descend from this one.
int rendererCount()
{
    const QList<qint64> tree = ProcFsMemory::processTree(QStringLiteral("/proc"), QCoreApplication::applicationPid());
    return int(std::count_if(tree.cbegin(), tree.cend(), [](qint64 pid) {
        return contentsOf(QStringLiteral("/proc/%1/cmdline").arg(pid)).contains("--type=renderer");
    }));
}

quint64 proportionalSizeOf(qint64 pid)
{
    return ProcFsMemory::proportionalFromSmapsRollup(contentsOf(QStringLiteral("/proc/%1/smaps_rollup").arg(pid))).value_or(0);
}

TEST_F(WebPages, TabsCountedAsleepHaveNoRendererAndTheMemoryFigureCountsThePages)
{
    // Earlier tests' renderers end first; and no first-run tab may load.
    ASSERT_TRUE(spinUntil([] { return rendererCount() == 0; }));
    while (!state->tabs().tabs().isEmpty())
        state->tabs().removeTab(tab(0).id);
    for (const QByteArray name : {"a", "b", "c", "d"}) {
        server.setReply(QStringLiteral("/") + QString::fromLatin1(name), {200, page(name.toUpper()), "text/html", {}, 0});
        addTab(QStringLiteral("/") + QString::fromLatin1(name));
    }
    engine->hibernateTab(tab(1).id);
    engine->hibernateTab(tab(2).id);
    engine->wakeAllTabs();
    EXPECT_EQ(engine->activeMemoryTabCount(), 0) << "pages load when they are shown";
    QList<QtWebPage *> pages;
    for (int index = 0; index < 4; ++index)
        pages.append(&pageOf(index));
    ASSERT_TRUE(spinUntil([&] { return tab(0).title == QLatin1String("A") && tab(3).title == QLatin1String("D") && rendererCount() == 4; }))
        << rendererCount() << " renderers";

    quint64 parts = proportionalSizeOf(QCoreApplication::applicationPid());
    for (const QtWebPage *webPage : pages)
        parts += proportionalSizeOf(webPage->rendererProcessId());
    ProcFsMemory memory;
    std::optional<ProcessMemory::Reading> reading;
    memory.read([&](const ProcessMemory::Reading &taken) { reading = taken; });
    ASSERT_TRUE(spinUntil([&] { return reading.has_value(); }));
    ASSERT_TRUE(reading->proportionalBytes);
    // Each part shifts a little as other programs map the same libraries.
    EXPECT_GE(*reading->proportionalBytes, parts / 10 * 9) << "this process and its pages' renderers: " << (parts >> 20) << " MiB";

    engine->hibernateAllInactive();
    EXPECT_TRUE(spinUntil([] { return rendererCount() == 1; })) << rendererCount() << " renderers for the one tab on screen";
    EXPECT_EQ(std::count_if(state->tabs().tabs().cbegin(), state->tabs().tabs().cend(), [](const TabModel &t) { return t.isHibernated; }), 3);
}

TEST_F(WebPages, TheMobileIdentityReachesHeadersAndScripts)
{
    server.setReply(QStringLiteral("/who"), {200, page("Who"), "text/html", {}, 0});
    const int index = addTab(QStringLiteral("/who"));
    QtWebPage &webPage = pageOf(index);
    ASSERT_TRUE(spinUntil([&] { return tab(index).title == QLatin1String("Who"); }));
    EXPECT_TRUE(server.lastRequest(QStringLiteral("/who")).contains(customUserAgent(UserAgentMode::Desktop).toUtf8()));

    state->tabs().toggleUserAgent(tab(index).id);
    ASSERT_TRUE(engine->applyUserAgentMode(tab(index)));
    ASSERT_TRUE(spinUntil([&] { return server.requestCount(QStringLiteral("/who")) == 2; }));
    EXPECT_TRUE(server.lastRequest(QStringLiteral("/who")).contains(customUserAgent(UserAgentMode::Mobile).toUtf8()));
    QVariant agent;
    ASSERT_TRUE(spinUntil([&] {
        if (webPage.url().path() == QLatin1String("/who") && !agent.isValid())
            webPage.runJavaScript(QStringLiteral("navigator.userAgent"), [&](const QVariant &value) { agent = value; });
        spinFor(100);
        return agent.isValid();
    }));
    EXPECT_EQ(agent.toString(), customUserAgent(UserAgentMode::Mobile));
    EXPECT_FALSE(engine->applyUserAgentMode(tab(index))) << "no second reload";
}

TEST_F(WebPages, ALinkToANewWindowOpensNothing)
{
    server.setReply(QStringLiteral("/opener"),
                    {200, page("Opener", {}, R"(<a id="a" href="/popup" target="_blank">x</a><script>window.onload = function () { window.open('/popup2'); document.getElementById('a').click(); };</script>)"),
                     "text/html", {}, 0});
    server.setReply(QStringLiteral("/popup"), {200, page("Popup"), "text/html", {}, 0});
    server.setReply(QStringLiteral("/popup2"), {200, page("Popup"), "text/html", {}, 0});
    const int index = addTab(QStringLiteral("/opener"));
    WebContainerView container(*engine);
    container.resize(400, 600);
    container.show();
    container.showTab(tab(index));
    ASSERT_TRUE(spinUntil([&] { return tab(index).title == QLatin1String("Opener"); }));
    spinFor(1000);
    EXPECT_EQ(server.requestCount(QStringLiteral("/popup")), 0);
    EXPECT_EQ(server.requestCount(QStringLiteral("/popup2")), 0);
    EXPECT_EQ(tab(index).url.path(), QStringLiteral("/opener"));
}

TEST_F(WebPages, PagesAreRefusedPermissions)
{
    server.setReply(QStringLiteral("/ask"),
                    {200, page("Asking", {}, R"(<script>
                        Notification.requestPermission().then(function (answer) { document.title = 'notifications ' + answer; });
                    </script>)"),
                     "text/html", {}, 0});
    // The page reports the answer in its own title (the tab keeps its first one).
    QtWebPage &ask = pageOf(addTab(QStringLiteral("/ask")));
    EXPECT_TRUE(spinUntil([&] { return ask.title().startsWith(QLatin1String("notifications")); }));
    EXPECT_EQ(ask.title(), QStringLiteral("notifications denied"));
}

TEST_F(WebPages, TheContainerBorrowsThePooledPageWithoutReloading)
{
    server.setReply(QStringLiteral("/one"), {200, page("One"), "text/html", {}, 0});
    server.setReply(QStringLiteral("/two"), {200, page("Two"), "text/html", {}, 0});
    const int one = addTab(QStringLiteral("/one"));
    const int two = addTab(QStringLiteral("/two"));
    WebContainerView container(*engine);
    container.show();
    container.showTab(tab(one));
    ASSERT_TRUE(spinUntil([&] { return tab(one).title == QLatin1String("One"); }));
    container.showTab(tab(two));
    ASSERT_TRUE(spinUntil([&] { return tab(two).title == QLatin1String("Two"); }));
    container.showTab(tab(one));
    container.showTab(tab(one));
    spinFor(300);
    EXPECT_EQ(server.requestCount(QStringLiteral("/one")), 1);
    EXPECT_EQ(pageOf(one).view()->parentWidget(), &container);
    EXPECT_EQ(pageOf(two).view()->parentWidget(), nullptr) << "the other page waits in the pool";
}

} // namespace
