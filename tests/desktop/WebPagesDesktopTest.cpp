// Tabs in the real web engine, against pages this test serves on 127.0.0.1.
#include "EventLoopWait.h"
#include "FakeDesktopPortal.h"
#include "FakePorts.h"
#include "LocalHttpServer.h"
#include "OrvaneProcess.h"
#include "ScopedEnvironment.h"
#include "TestFiles.h"
#include "platform/qt/QtClock.h"
#include "state/AppState.h"
#include "web/HibernationEngine.h"
#include "platform/qt/ProcFsMemory.h"
#include "platform/qt/QtWebPage.h"
#include "platform/qt/PageDialog.h"
#include "platform/qt/PopupWindow.h"
#include "platform/qt/QtDownloads.h"
#include "platform/qt/WebProfiles.h"
#include "web/DownloadReporter.h"
#include "web/WebContainerView.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

#include <gtest/gtest.h>

namespace {

QByteArray page(const QByteArray &title, const QByteArray &head = {}, const QByteArray &body = {})
{
    return "<!doctype html><html><head><title>" + title + "</title>" + head + "</head><body>" + body + "</body></html>";
}

// The shown top-level window of that class, if one is up.
template<typename Window>
Window *shownWindow()
{
    const QList<QWidget *> windows = QApplication::topLevelWidgets();
    for (QWidget *window : windows) {
        if (auto *found = qobject_cast<Window *>(window); found && found->isVisible())
            return found;
    }
    return nullptr;
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

    WebContainerView &shownContainer()
    {
        if (!container) {
            container = std::make_unique<WebContainerView>(*state, *engine);
            container->resize(400, 600);
            container->show();
        }
        return *container;
    }

    // Shows the tab in the container, on screen, once its page has loaded.
    QtWebPage &showLoaded(int index, const QString &title)
    {
        shownContainer().showTab(tab(index));
        EXPECT_TRUE(spinUntil([&] { return tab(index).title == title; })) << tab(index).title.toStdString();
        return pageOf(index);
    }

    // Does `act` once `ready` holds, looked at on every turn of whichever event
    // loop runs: a page's question or file chooser runs a loop of its own until
    // it is answered, which holds up the test's own code.
    void once(std::function<bool()> ready, std::function<void()> act)
    {
        auto timer = std::make_unique<QTimer>();
        QTimer *raw = timer.get();
        QObject::connect(raw, &QTimer::timeout, raw, [raw, ready = std::move(ready), act = std::move(act)] {
            if (!ready())
                return;
            raw->stop();
            act();
        });
        raw->start(50);
        steps.push_back(std::move(timer));
    }

    // Clicks the element the selector finds in the shown page, through XTest.
    static void clickInPage(QtWebPage &webPage, const QString &selector, const char *button = "1")
    {
        const QVariant centre = valueIn(webPage, QStringLiteral("(function () { const r = document.querySelector('%1').getBoundingClientRect();"
                                                                " return [r.left + r.width / 2, r.top + r.height / 2]; })()")
                                                     .arg(selector));
        ASSERT_TRUE(centre.isValid());
        const QPoint at = webPage.view()->mapToGlobal(QPoint(centre.toList().value(0).toInt(), centre.toList().value(1).toInt()));
        xdotool({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
        xdotool({QStringLiteral("click"), QString::fromLatin1(button)});
    }

    // A right click, through XTest, on what the selector finds (its text selected
    // first when asked), with Shift held when asked; the menu that opens, if any.
    static QMenu *pageMenuOn(QtWebPage &webPage, const QString &selector, bool select = false, bool shift = false)
    {
        if (select)
            valueIn(webPage, QStringLiteral("getSelection().selectAllChildren(document.querySelector('%1')), 1").arg(selector));
        if (shift)
            xdotool({QStringLiteral("keydown"), QStringLiteral("shift")});
        clickInPage(webPage, selector, "3");
        if (shift)
            xdotool({QStringLiteral("keyup"), QStringLiteral("shift")});
        spinUntil([] { return qobject_cast<QMenu *>(QApplication::activePopupWidget()); }, 3000);
        return qobject_cast<QMenu *>(QApplication::activePopupWidget());
    }

    QtClock clock;
    MemoryStore store;
    FakeAppearance appearance;
    FakeMemory memory;
    QtWebPageFactory factory;
    LocalHttpServer server;
    std::unique_ptr<AppState> state;
    std::unique_ptr<HibernationEngine> engine;
    std::unique_ptr<WebContainerView> container;
    std::vector<std::unique_ptr<QTimer>> steps;
};

// What reaches the desktop: without a desktop environment, xdg-open hands
// every address it has no handler for to $BROWSER, here a script that writes
// it down.
class DesktopHandOffs final
{
public:
    DesktopHandOffs()
    {
        const QString script = m_folder.filePath(QStringLiteral("browser"));
        EXPECT_TRUE(writeFile(script, "#!/bin/sh\necho \"$1\" >> \"$(dirname \"$0\")/opened\"\n"));
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_browser.emplace("BROWSER", script);
    }

    QStringList opened() const
    {
        return QString::fromUtf8(contentsOf(m_folder.filePath(QStringLiteral("opened")))).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

private:
    QTemporaryDir m_folder;
    ScopedEnvironment m_desktop{"XDG_CURRENT_DESKTOP", std::nullopt};
    ScopedEnvironment m_session{"DESKTOP_SESSION", std::nullopt};
    std::optional<ScopedEnvironment> m_browser;
};

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

// A sleeping tab gives its renderer process back, and a reply that arrives
// after it went to sleep never updates its record.
TEST_F(WebPages, AHibernatedPageGivesItsRendererBackAndALateReplyNeverUpdatesItsRecord)
{
    server.setReply(QStringLiteral("/heavy"), {200, page("Heavy"), "text/html", {}, 0});
    server.setReply(QStringLiteral("/slow"), {200, page("Too Late"), "text/html", {}, 1500});
    const int heavy = addTab(QStringLiteral("/heavy"));
    QtWebPage &webPage = pageOf(heavy);
    ASSERT_TRUE(spinUntil([&] { return tab(heavy).title == QLatin1String("Heavy") && webPage.rendererProcessId() > 0; }));
    const qint64 renderer = webPage.rendererProcessId();
    const QString proc = QStringLiteral("/proc/%1").arg(renderer);
    ASSERT_TRUE(QFileInfo::exists(proc));
    const int slow = addTab(QStringLiteral("/slow"));
    pageOf(slow);
    ASSERT_TRUE(spinUntil([&] { return server.requestCount(QStringLiteral("/slow")) == 1; }));
    const TabModel before = tab(slow);
    engine->hibernateTab(tab(slow).id);
    engine->hibernateTab(tab(heavy).id);
    EXPECT_TRUE(spinUntil([&] { return !QFileInfo::exists(proc); }, 10000)) << "renderer " << renderer << " still runs";
    spinFor(2500);
    TabModel after = tab(slow);
    after.isHibernated = before.isHibernated;
    EXPECT_EQ(after, before);
    EXPECT_TRUE(tab(slow).isHibernated);
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

TEST_F(WebPages, BothIdentitiesNameTheEnginesChromeInHeadersAndScripts)
{
    const QByteArray chrome = QByteArray("Chrome/") + qWebEngineChromiumVersion() + ' ';
    server.setReply(QStringLiteral("/who"), {200, page("Who"), "text/html", {}, 0});
    const int index = addTab(QStringLiteral("/who"));
    QtWebPage &webPage = pageOf(index);
    ASSERT_TRUE(spinUntil([&] { return tab(index).title == QLatin1String("Who"); }));
    const QByteArray desktop = server.lastRequest(QStringLiteral("/who"));
    EXPECT_TRUE(desktop.contains("User-Agent: Mozilla/5.0 (X11; Linux ") && desktop.contains(chrome + "Safari/537.36\r\n")
                && !desktop.contains("QtWebEngine"))
        << desktop.toStdString();

    state->tabs().toggleUserAgent(tab(index).id);
    ASSERT_TRUE(engine->applyUserAgentMode(tab(index)));
    ASSERT_TRUE(spinUntil([&] { return server.requestCount(QStringLiteral("/who")) == 2; }));
    const QByteArray mobile = "Mozilla/5.0 (Linux; Android 10; K) AppleWebKit/537.36 (KHTML, like Gecko) " + chrome + "Mobile Safari/537.36";
    EXPECT_TRUE(server.lastRequest(QStringLiteral("/who")).contains("User-Agent: " + mobile + "\r\n"))
        << server.lastRequest(QStringLiteral("/who")).toStdString();
    ASSERT_TRUE(spinUntil([&] { return webPage.url().path() == QLatin1String("/who") && !webPage.isLoading(); }));
    EXPECT_EQ(valueIn(webPage, QStringLiteral("navigator.userAgent")).toString(), QString::fromLatin1(mobile));
    EXPECT_FALSE(engine->applyUserAgentMode(tab(index))) << "no second reload";
}

TEST_F(WebPages, ASignInPopUpIsOursAndTalksToItsOpener)
{
    server.setReply(QStringLiteral("/opener"),
                    {200, page("Opener", {}, R"html(<button id="in" onclick="window.open('/signin', 'signin', 'popup,width=420,height=480')">Sign in</button>
                        <script>window.addEventListener('message', function (e) { document.title = 'got ' + e.data; });</script>)html"),
                     "text/html", {}, 0});
    server.setReply(QStringLiteral("/signin"),
                    {200, page("Sign in", {}, "<script>window.opener.postMessage('token', '*'); setTimeout(window.close, 1500);</script>"),
                     "text/html", {}, 0});
    const auto popup = [] { return shownWindow<PopupWindow>(); };
    QtWebPage &opener = showLoaded(addTab(QStringLiteral("/opener")), QStringLiteral("Opener"));
    clickInPage(opener, QStringLiteral("#in"));
    ASSERT_TRUE(spinUntil([&] { return popup() != nullptr; }));
    EXPECT_EQ(popup()->size(), QSize(420, 480));
    EXPECT_TRUE(spinUntil([&] { return state->isPanelHeld(); })) << "the panel stays while the pop-up is up";
    EXPECT_TRUE(spinUntil([&] { return opener.title() == QLatin1String("got token"); })) << opener.title().toStdString();
    EXPECT_TRUE(spinUntil([&] { return popup() == nullptr && !state->isPanelHeld(); })) << "the page closed its pop-up";
}

TEST_F(WebPages, NewTabsGoToTheDesktopsBrowserOnlyAfterAClick)
{
    server.setReply(QStringLiteral("/links"),
                    {200, page("Links", {}, R"html(<a id="blank" href="/mail" target="_blank">mail</a><br><br>
                        <button id="open" onclick="window.open('/docs')">docs</button><br><br>
                        <a id="middle" href="/middle">middle</a><br><br><a id="control" href="/control">control</a>
                        <script>window.open('/unasked'); window.open('file:///etc/hostname');</script>)html"),
                     "text/html", {}, 0});
    const QString base = server.address().toString();
    QStringList expected;
    for (const char *path : {"/control", "/docs", "/mail", "/middle"})
        expected.append(base + QString::fromLatin1(path));
    for (const bool portalRuns : {false, true}) {
        SCOPED_TRACE(portalRuns ? "through the desktop portal" : "through xdg-open");
        DesktopHandOffs desktop;
        std::optional<FakeDesktopPortal> portal;
        if (portalRuns)
            ASSERT_TRUE(portal.emplace().isRegistered());
        const int index = addTab(QStringLiteral("/links"));
        QtWebPage &links = showLoaded(index, QStringLiteral("Links"));
        clickInPage(links, QStringLiteral("#blank"));
        clickInPage(links, QStringLiteral("#open"));
        clickInPage(links, QStringLiteral("#middle"), "2");
        xdotool({QStringLiteral("keydown"), QStringLiteral("ctrl")});
        clickInPage(links, QStringLiteral("#control"));
        xdotool({QStringLiteral("keyup"), QStringLiteral("ctrl")});
        const auto opened = [&] { return portalRuns ? portal->openedUris() : desktop.opened(); };
        ASSERT_TRUE(spinUntil([&] { return opened().size() >= 4; })) << opened().join(QLatin1Char(' ')).toStdString();
        spinFor(500);
        // Each address goes to its own browser process, so they may arrive in either order.
        QStringList sorted = opened();
        sorted.sort();
        EXPECT_EQ(sorted, expected);
        if (portalRuns)
            EXPECT_EQ(desktop.opened(), QStringList()) << "the browser is reached through the portal only";
        EXPECT_EQ(tab(index).url.path(), QStringLiteral("/links"));
    }
    EXPECT_EQ(server.requestCount(QStringLiteral("/mail")) + server.requestCount(QStringLiteral("/unasked"))
                  + server.requestCount(QStringLiteral("/middle")) + server.requestCount(QStringLiteral("/control")),
              0);
}

TEST_F(WebPages, AddressesOutOfTheWebLeaveOnlyAfterAClickAndAQuestion)
{
    DesktopHandOffs desktop;
    server.setReply(QStringLiteral("/schemes"),
                    {200, page("Schemes", {}, R"html(<a id="command" href="orvane://width?val=333">width</a><br><br>
                        <a id="file" href="file:///etc/hostname">file</a><br><br>
                        <a id="app" href="fakeapp://join?id=1">app</a><br><br>
                        <a id="mail" href="mailto:someone@example.org">mail</a>
                        <script>setTimeout(function () { location.href = 'orvane://width?val=333'; }, 100);</script>)html"),
                     "text/html", {}, 0});
    const int index = addTab(QStringLiteral("/schemes"));
    QtWebPage &schemes = showLoaded(index, QStringLiteral("Schemes"));
    clickInPage(schemes, QStringLiteral("#command"));
    clickInPage(schemes, QStringLiteral("#file"));
    spinFor(1000);
    EXPECT_FALSE(state->notice().isShown()) << state->notice().text().toStdString();
    clickInPage(schemes, QStringLiteral("#mail"));
    ASSERT_TRUE(spinUntil([&] { return state->notice().isShown(); }));
    EXPECT_EQ(state->notice().text(), QStringLiteral("Open mailto:someone@example.org in another application?"));
    state->notice().dismiss();
    clickInPage(schemes, QStringLiteral("#app"));
    ASSERT_TRUE(spinUntil([&] { return state->notice().text().contains(QLatin1String("fakeapp:")); }));
    state->notice().press();
    ASSERT_TRUE(spinUntil([&] { return !desktop.opened().isEmpty(); }));
    spinFor(500);
    EXPECT_EQ(desktop.opened(), QStringList{QStringLiteral("fakeapp://join?id=1")});
    EXPECT_EQ(tab(index).url.path(), QStringLiteral("/schemes"));
}

TEST_F(WebPages, DialogsAreAnsweredInsideThePanelWithTheKeyboard)
{
    server.setReply(QStringLiteral("/ask"),
                    {200, page("Ask", {}, R"html(<button id="ask" onclick="alert('Saved'); const sure = confirm('Leave?');
                        document.title = 'confirmed ' + sure + ', named ' + prompt('Name?', '');">ask</button>
                        <script>window.onbeforeunload = function (event) { event.preventDefault(); event.returnValue = ''; };</script>)html"),
                     "text/html", {}, 0});
    server.setReply(QStringLiteral("/private"), {401, page("Refused"), "text/html", {"WWW-Authenticate: Basic realm=\"Team\""}, 0});
    QtWebPage &ask = showLoaded(addTab(QStringLiteral("/ask")), QStringLiteral("Ask"));
    // Inside the page's view, so never a window of its own.
    const auto question = [&] {
        const auto *dialog = ask.view()->findChild<PageDialog *>();
        return dialog && dialog->isVisible() ? dialog->accessibleName() : QString();
    };
    const auto press = [](const char *key) { xdotool({QStringLiteral("key"), QString::fromLatin1(key)}); };
    once([&] { return question() == QLatin1String("Saved"); }, [&] { press("Return"); });
    once([&] { return question() == QLatin1String("Leave?"); }, [&] { press("Escape"); });
    once([&] { return question() == QLatin1String("Name?"); },
         [&] {
             xdotool({QStringLiteral("type"), QStringLiteral("ada")});
             press("Return");
         });
    clickInPage(ask, QStringLiteral("#ask"));
    EXPECT_TRUE(spinUntil([&] { return ask.title() == QLatin1String("confirmed false, named ada"); })) << ask.title().toStdString();

    // Leaving the page the user has used asks first; then the server asks for a sign-in.
    once([&] { return question().contains(QLatin1String("leave this page")); }, [&] { press("Return"); });
    once([&] { return question().contains(QLatin1String("Team")); },
         [&] {
             server.setReply(QStringLiteral("/private"), {200, page("Inside"), "text/html", {}, 0});
             xdotool({QStringLiteral("type"), QStringLiteral("ada")});
             press("Tab");
             xdotool({QStringLiteral("type"), QStringLiteral("secret")});
             press("Return");
         });
    ask.load(server.address().resolved(QUrl(QStringLiteral("/private"))));
    EXPECT_TRUE(spinUntil([&] { return ask.title() == QLatin1String("Inside"); })) << ask.title().toStdString();
    EXPECT_TRUE(server.lastRequest(QStringLiteral("/private")).contains("Authorization: Basic " + QByteArray("ada:secret").toBase64()));
}

TEST_F(WebPages, DownloadsLandSafelyNamedInTheDownloadFolderAndOnTheShelf)
{
    QtDownloads downloads({WebProfiles::profile(UserAgentMode::Desktop)});
    DownloadReporter reporter(*state, downloads, clock);
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::DownloadLocation));
    ASSERT_TRUE(QDir(folder).removeRecursively());
    const auto attachment = [](const QByteArray &name) {
        return QByteArrayList{"Content-Disposition: attachment; filename=\"" + name + "\""};
    };
    server.setReply(QStringLiteral("/climb"), {200, "climb", "text/plain", attachment("../../.bashrc"), 0});
    server.setReply(QStringLiteral("/hidden"), {200, "hidden", "text/plain", attachment(".hidden"), 0});
    server.setReply(QStringLiteral("/long"), {200, "long", "text/plain", attachment(QByteArray(300, 'a') + ".txt"), 0});
    server.setReply(QStringLiteral("/report"), {200, "report", "text/csv", attachment("report.csv"), 0});
    server.setReply(QStringLiteral("/export"), {200, "a,b", "text/csv", attachment("export.csv"), 0});
    // Four downloads at once from a page, none clicked: one too many.
    server.setReply(QStringLiteral("/many"),
                    {200, page("Many", {}, R"html(<script>for (const path of ['/climb', '/hidden', '/long', '/report']) {
                        const a = document.createElement('a'); a.href = path; a.download = ''; document.body.appendChild(a); a.click(); }</script>)html"),
                     "text/html", {}, 0});
    server.setReply(QStringLiteral("/plain"), {200, page("Plain"), "text/html", {}, 0});
    const auto files = [&] { return folder.entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name); };
    const qsizetype shelved = state->shelf().items().size();
    showLoaded(addTab(QStringLiteral("/many")), QStringLiteral("Many"));
    ASSERT_TRUE(spinUntil([&] { return files().size() == 3 && state->shelf().items().size() == shelved + 3; })) << files().join(QLatin1Char('|')).toStdString();
    spinFor(1000);
    for (const QString &name : files()) {
        EXPECT_FALSE(name.startsWith(QLatin1Char('.'))) << name.toStdString();
        EXPECT_LE(name.toUtf8().size(), 255) << name.toStdString();
    }
    EXPECT_EQ(files().size(), 3) << "the fourth download is refused: " << files().join(QLatin1Char('|')).toStdString();

    QtWebPage &plain = showLoaded(addTab(QStringLiteral("/plain")), QStringLiteral("Plain"));
    for (const QString &name : {QStringLiteral("export.csv"), QStringLiteral("export (1).csv")}) {
        plain.load(server.address().resolved(QUrl(QStringLiteral("/export"))));
        ASSERT_TRUE(spinUntil([&] { return files().contains(name); })) << files().join(QLatin1Char('|')).toStdString();
    }
    EXPECT_TRUE(spinUntil([&] { return state->shelf().items().size() == shelved + 5; }));
    EXPECT_EQ(state->shelf().items().first().fileURL, QUrl::fromLocalFile(folder.filePath(QStringLiteral("export (1).csv"))));
    EXPECT_EQ(contentsOf(folder.filePath(QStringLiteral("export (1).csv"))), "a,b");

    // Nothing of a transfer stays when the server stops halfway or the user cancels it.
    const QByteArray body(4 << 20, 'x');
    server.setReply(QStringLiteral("/cut"), {200, body, "application/octet-stream", attachment("cut.bin"), 0, body.size() / 2});
    server.setReply(QStringLiteral("/stalled"), {200, body, "application/octet-stream", attachment("stalled.bin"), 0, body.size() / 2, true});
    const QStringList kept = files();
    QtWebPage &other = showLoaded(addTab(QStringLiteral("/plain")), QStringLiteral("Plain"));
    other.load(server.address().resolved(QUrl(QStringLiteral("/cut"))));
    EXPECT_TRUE(spinUntil([&] { return state->notice().text() == QLatin1String("cut.bin was not downloaded"); }))
        << state->notice().text().toStdString();
    EXPECT_EQ(files(), kept);
    other.load(server.address().resolved(QUrl(QStringLiteral("/stalled"))));
    ASSERT_TRUE(spinUntil([&] { return state->notice().text().startsWith(QLatin1String("Downloading stalled.bin")); }))
        << state->notice().text().toStdString();
    state->notice().press();
    EXPECT_TRUE(spinUntil([&] { return state->notice().text() == QLatin1String("stalled.bin was not downloaded"); }))
        << state->notice().text().toStdString();
    EXPECT_EQ(files(), kept);
}

namespace {

// "name: kind pattern, …" for each of a chooser's filters, as the bus carried them.
QStringList filtersIn(const QVariant &value)
{
    QStringList filters;
    const auto bus = value.value<QDBusArgument>();
    bus.beginArray();
    while (!bus.atEnd()) {
        QString name;
        QStringList patterns;
        bus.beginStructure();
        bus >> name;
        bus.beginArray();
        while (!bus.atEnd()) {
            uint kind = 0;
            QString text;
            bus.beginStructure();
            bus >> kind >> text;
            bus.endStructure();
            patterns.append(QString::number(kind) + QLatin1Char(' ') + text);
        }
        bus.endArray();
        bus.endStructure();
        filters.append(name + QStringLiteral(": ") + patterns.join(QStringLiteral(", ")));
    }
    bus.endArray();
    return filters;
}

} // namespace

TEST_F(WebPages, AFileInputIsAnsweredInThePortalsChooserWhileThePanelStays)
{
    FakeDesktopPortal portal;
    ASSERT_TRUE(portal.isRegistered());
    const QString upload = QDir::home().filePath(QStringLiteral("upload.txt"));
    ASSERT_TRUE(writeFile(upload, "hello"));
    server.setReply(QStringLiteral("/upload"),
                    {200, page("Upload", {}, R"html(<input id="file" type="file" multiple accept=".txt,image/*">)html"), "text/html", {}, 0});
    QtWebPage &form = showLoaded(addTab(QStringLiteral("/upload")), QStringLiteral("Upload"));
    const QString chosen = QStringLiteral("Array.from(document.getElementById('file').files).map(f => f.name + ' ' + f.size).join()");
    struct Row
    {
        const char *name;
        uint response;
        QString files;
    };
    // Were Qt's own dialog to come up instead, nothing would answer it.
    once([] { return shownWindow<QFileDialog>() != nullptr; }, [] { shownWindow<QFileDialog>()->reject(); });
    for (const Row &row : {Row{"cancelled", 1, QString()}, Row{"chosen", 0, QStringLiteral("upload.txt 5")}}) {
        SCOPED_TRACE(row.name);
        std::optional<FakeDesktopPortal::Choice> asked;
        bool heldWhileAsked = false;
        once([&] { return portal.pendingChoice().has_value(); },
             [&] {
                 asked = portal.pendingChoice();
                 heldWhileAsked = state->isPanelHeld();
                 portal.answerChoice(row.response, {upload});
             });
        clickInPage(form, QStringLiteral("#file"));
        ASSERT_TRUE(spinUntil([&] { return asked.has_value() && !state->isPanelHeld(); })) << "the portal was never asked";
        EXPECT_TRUE(heldWhileAsked) << "the panel stays while the chooser is open";
        EXPECT_TRUE(asked->title.contains(QLatin1String("127.0.0.1"))) << asked->title.toStdString();
        EXPECT_TRUE(asked->options.value(QStringLiteral("multiple")).toBool());
        EXPECT_FALSE(asked->options.value(QStringLiteral("directory")).toBool());
        EXPECT_EQ(filtersIn(asked->options.value(QStringLiteral("filters"))),
                  QStringList({QStringLiteral("Files this site accepts: 1 image/*, 0 *.[tT][xX][tT]"), QStringLiteral("All files: 0 *")}));
        EXPECT_TRUE(spinUntil([&] { return valueIn(form, chosen).toString() == row.files; })) << valueIn(form, chosen).toString().toStdString();
        EXPECT_TRUE(spinUntil([&] {
            const QWidget *focused = QApplication::focusWidget();
            return focused && (focused == form.view() || form.view()->isAncestorOf(focused));
        })) << "the keyboard goes back to the page";
    }
}

TEST_F(WebPages, FullScreenFillsThePanelUntilItIsLeft)
{
    server.setReply(QStringLiteral("/video"),
                    {200, page("Video", {}, R"html(<button id="full" onclick="document.body.requestFullscreen()">full</button>
                        <script>document.onfullscreenchange = function () { document.title = document.fullscreenElement ? 'full' : 'window'; };</script>)html"),
                     "text/html", {}, 0});
    const int index = addTab(QStringLiteral("/video"));
    state->content().setActiveItem(ActiveSidebarItem::webTab(tab(index).id));
    QtWebPage &video = showLoaded(index, QStringLiteral("Video"));
    const QRect frame = video.view()->geometry();
    clickInPage(video, QStringLiteral("#full"));
    ASSERT_TRUE(spinUntil([&] { return state->content().isPageFullScreen() && video.title() == QLatin1String("full"); }))
        << video.title().toStdString();
    EXPECT_EQ(video.view()->window(), container.get());
    EXPECT_EQ(video.view()->geometry(), frame) << "nothing leaves the panel";
    engine->exitFullScreen();
    EXPECT_TRUE(spinUntil([&] { return video.title() == QLatin1String("window"); })) << video.title().toStdString();
    EXPECT_FALSE(state->content().isPageFullScreen());
}

TEST_F(WebPages, DevicesAreRefusedUnaskedAndNotificationsAreAskedOnTheNoticeBar)
{
    server.setReply(QStringLiteral("/ask"),
                    {200, page("Asking", {}, R"(<script>
                        navigator.mediaDevices.getUserMedia({video: true, audio: true})
                            .then(function () { return 'camera granted'; }, function () { return 'camera refused'; })
                            .then(function (camera) {
                                document.title = camera;
                                Notification.requestPermission().then(function (answer) {
                                    document.title = camera + ', notifications ' + answer; });
                            });
                    </script>)"),
                     "text/html", {}, 0});
    // The page reports the answers in its own title (the tab keeps its first one).
    QtWebPage &ask = pageOf(addTab(QStringLiteral("/ask")));
    ASSERT_TRUE(spinUntil([&] { return state->notice().isShown(); })) << ask.title().toStdString();
    EXPECT_EQ(ask.title(), QStringLiteral("camera refused")) << "refused before any question";
    // Left unanswered, the question refuses.
    state->notice().dismiss();
    EXPECT_TRUE(spinUntil([&] { return ask.title() == QLatin1String("camera refused, notifications denied"); }))
        << ask.title().toStdString();
}

TEST_F(WebPages, EachEntryOfThePagesMenuDoesWhatItSaysAndAPagesOwnMenuWinsUnlessShiftIsHeld)
{
    QtDownloads downloads({WebProfiles::profile(UserAgentMode::Desktop)});
    DownloadReporter reporter(*state, downloads, clock);
    DesktopHandOffs desktop;
    const QByteArray dot = QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8DwHwAFBQIAX8jx0gAAAABJRU5ErkJggg==");
    server.setReply(QStringLiteral("/dot.png"), {200, dot, "image/png", {}, 0});
    server.setReply(QStringLiteral("/menu"),
                    {200, page("Menu", {}, R"html(<a id="link" href="/target">a link</a>
                        <p><img id="picture" src="/dot.png" width="60" height="60"></p><p id="words">Words to ask about</p>
                        <p id="own">Right click here</p><script>let shown = 0; document.getElementById('own').addEventListener(
                            'contextmenu', (e) => { e.preventDefault(); document.title = 'own menu ' + ++shown; });</script>)html"),
                     "text/html", {}, 0});
    const QUrl target = server.address().resolved(QUrl(QStringLiteral("/target")));
    const int index = addTab(QStringLiteral("/menu"));
    const auto firstOnShelf = [&] { return state->shelf().items().value(0); };
    struct Row
    {
        const char *selector;
        bool select;
        const char *entry;
        std::function<bool()> done;
    };
    const Row rows[] = {
        {"#link", false, "Copy Link Address", [&] { return QApplication::clipboard()->text() == target.toString(); }},
        {"#link", false, "Add Link to Shelf", [&] { return firstOnShelf().kind == DropItemKind::Url && firstOnShelf().textContent == target.toString(); }},
        {"#link", false, "Open Link as a Tab", [&] { return state->tabs().tabs().last().url == target; }},
        {"#link", false, "Open Link in Browser", [&] { return desktop.opened() == QStringList{target.toString()}; }},
        {"#picture", false, "Copy Image", [&] { return QApplication::clipboard()->image().size() == QSize(1, 1); }},
        {"#picture", false, "Add Image to Shelf",
         [&] { return firstOnShelf().fileURL && contentsOf(firstOnShelf().fileURL->toLocalFile()) == dot; }},
        {"#words", true, "Copy", [&] { return QApplication::clipboard()->text() == QLatin1String("Words to ask about"); }},
        {"#words", true, "Add Selection to Shelf", [&] { return firstOnShelf().textContent == QLatin1String("Words to ask about"); }},
        {"#words", true, "Ask AI About Selection",
         [&] {
             const auto &staged = state->capturedContext();
             return staged && staged->text == QLatin1String("Words to ask about") && staged->appName == QLatin1String("Menu");
         }},
        {"#words", false, "Reload", [&] { return server.requestCount(QStringLiteral("/menu")) == 2; }},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.entry);
        state->content().setActiveItem(ActiveSidebarItem::webTab(tab(index).id));
        QtWebPage &menuPage = showLoaded(index, QStringLiteral("Menu"));
        QApplication::clipboard()->clear();
        QMenu *menu = pageMenuOn(menuPage, QString::fromLatin1(row.selector), row.select);
        ASSERT_TRUE(menu) << "no menu opened";
        QAction *chosen = nullptr;
        for (QAction *action : menu->actions())
            chosen = action->text() == QLatin1String(row.entry) ? action : chosen;
        ASSERT_TRUE(chosen);
        clickAt(menu->mapToGlobal(menu->actionGeometry(chosen).center()));
        EXPECT_TRUE(spinUntil(row.done, 10000));
    }

    // A page that draws its own menu keeps it, unless Shift is held.
    QtWebPage &own = showLoaded(index, QStringLiteral("Menu"));
    ASSERT_TRUE(spinUntil([&] { return !own.isLoading(); }));
    EXPECT_FALSE(pageMenuOn(own, QStringLiteral("#own")));
    EXPECT_TRUE(spinUntil([&] { return own.title() == QLatin1String("own menu 1"); })) << own.title().toStdString();
    QMenu *ours = pageMenuOn(own, QStringLiteral("#own"), false, true);
    ASSERT_TRUE(ours);
    EXPECT_EQ(own.title(), QStringLiteral("own menu 1")) << "the page never heard of the click";
    ours->close();
}

// The first tab's address redirects: its title and address follow the page.
TEST_F(WebPages, TheContainerBorrowsThePooledPageWithoutReloading)
{
    server.setReply(QStringLiteral("/start"), {302, {}, "text/html", {"Location: /one"}, 0});
    server.setReply(QStringLiteral("/one"), {200, page("One"), "text/html", {}, 0});
    server.setReply(QStringLiteral("/two"), {200, page("Two"), "text/html", {}, 0});
    const int one = addTab(QStringLiteral("/start"));
    const int two = addTab(QStringLiteral("/two"));
    shownContainer().showTab(tab(one));
    ASSERT_TRUE(spinUntil([&] { return tab(one).title == QLatin1String("One"); }));
    EXPECT_EQ(tab(one).url.path(), QStringLiteral("/one"));
    shownContainer().showTab(tab(two));
    ASSERT_TRUE(spinUntil([&] { return tab(two).title == QLatin1String("Two"); }));
    shownContainer().showTab(tab(one));
    shownContainer().showTab(tab(one));
    spinFor(300);
    EXPECT_EQ(server.requestCount(QStringLiteral("/one")), 1);
    EXPECT_EQ(pageOf(one).view()->parentWidget(), container.get());
    EXPECT_EQ(pageOf(two).view()->parentWidget(), nullptr) << "the other page waits in the pool";
}

} // namespace
