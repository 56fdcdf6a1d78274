// The panel on a real X server, with and without a window manager, driven by
// real pointer input.
#include "LocalHttpServer.h"
#include "OrvaneProcess.h"
#include "TestFiles.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <optional>

namespace {

const QRect target(1000, 0, 440, 900); // docked right on the 1440 × 900 test screen

class PanelOnDesktop : public OnEachWindowManager
{
protected:
    void SetUp() override
    {
        // Park the pointer inside where the panel will appear, so that its
        // first movement does not count as leaving.
        movePointer(1200, 450);
        startWindowManager();
    }

    static std::string describe(OrvaneProcess &orvane)
    {
        const QRect g = orvane.panelGeometry();
        return QStringLiteral("panel %1 at %2,%3 %4x%5")
            .arg(orvane.isPanelVisible() ? QStringLiteral("shown") : QStringLiteral("hidden"))
            .arg(g.x())
            .arg(g.y())
            .arg(g.width())
            .arg(g.height())
            .toStdString();
    }

    static bool shownAt(OrvaneProcess &orvane, const QRect &frame)
    {
        return orvane.isPanelVisible() && orvane.panelGeometry() == frame;
    }

    // Shown at the frame with the slide over: a spring passes its target on
    // the way, and pointer movement during a slide is ignored by design.
    static bool settlesAt(OrvaneProcess &orvane, const QRect &frame, int timeoutMs = 3000)
    {
        return spinUntil([&] { return shownAt(orvane, frame) && holdsFor([&] { return shownAt(orvane, frame); }, 300); },
                       timeoutMs);
    }
};

TEST_P(PanelOnDesktop, LaunchShowsThePanelWhichASecondStartTogglesAndResizesThroughTheRunningOne)
{
    OrvaneProcess orvane;
    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    ASSERT_TRUE(settlesAt(orvane, target)) << describe(orvane);
    EXPECT_TRUE(orvane.log().contains(QLatin1String("[Orvane] Application did finish launching...")));
    EXPECT_EQ(orvane.runSecond({QStringLiteral("orvane://toggle")}), 0);
    EXPECT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }));
    EXPECT_EQ(orvane.runSecond({QStringLiteral("ORVANE://Toggle")}), 0);
    EXPECT_TRUE(settlesAt(orvane, target)) << describe(orvane);
    // Started again without a URL: the running one shows its panel.
    EXPECT_EQ(orvane.runSecond({QStringLiteral("orvane://toggle")}), 0);
    ASSERT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }));
    EXPECT_EQ(orvane.runSecond({}), 0);
    EXPECT_TRUE(settlesAt(orvane, target)) << describe(orvane);

    EXPECT_EQ(orvane.runSecond({QStringLiteral("orvane://width?val=500")}), 0);
    EXPECT_TRUE(settlesAt(orvane, QRect(940, 0, 500, 900))) << describe(orvane);
    EXPECT_TRUE(spinUntil([&] { return contentsOf(orvane.settingsFile()).contains("Orvane_panelWidth=500"); }));
}

TEST_P(PanelOnDesktop, AClickOutsideOrTouchingTheDockedEdgeAgainHidesButAClickInsideDoesNot)
{
    OrvaneProcess orvane({QStringLiteral("Orvane_autoHideOnMouseExit=false")});
    ASSERT_TRUE(orvane.launch());
    ASSERT_TRUE(settlesAt(orvane, target)) << describe(orvane);
    clickAt({1200, 450});
    EXPECT_TRUE(holdsFor([&] { return orvane.isPanelVisible(); }, 600));
    clickAt({300, 450});
    EXPECT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }));

    movePointer(1300, 450);
    EXPECT_EQ(orvane.runSecond({QStringLiteral("orvane://toggle")}), 0);
    ASSERT_TRUE(settlesAt(orvane, target)) << describe(orvane);
    movePointer(1439, 450);
    EXPECT_TRUE(holdsFor([&] { return orvane.isPanelVisible(); }, 500)) << "not before moving inward";
    movePointer(1300, 450);
    EXPECT_TRUE(holdsFor([&] { return orvane.isPanelVisible(); }, 200)) << "moving inward keeps it";
    movePointer(1439, 450);
    EXPECT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }));
}

TEST_P(PanelOnDesktop, LeavingHidesAfterTheDelayUnlessPinned)
{
    OrvaneProcess orvane;
    ASSERT_TRUE(orvane.launch());
    ASSERT_TRUE(settlesAt(orvane, target)) << describe(orvane);
    movePointer(300, 450);
    EXPECT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }, 2000));

    EXPECT_EQ(orvane.runSecond({QStringLiteral("orvane://pin")}), 0);
    ASSERT_TRUE(settlesAt(orvane, target)) << describe(orvane);
    movePointer(1200, 450);
    movePointer(300, 450);
    EXPECT_TRUE(holdsFor([&] { return orvane.isPanelVisible(); }, 1000));
}

TEST_P(PanelOnDesktop, DocksToTheLeftEdgeWhenAskedTo)
{
    OrvaneProcess orvane({QStringLiteral("Orvane_screenDockEdge=left")});
    movePointer(200, 450);
    ASSERT_TRUE(orvane.launch());
    EXPECT_TRUE(settlesAt(orvane, QRect(0, 0, 440, 900))) << orvane.panelGeometry().x();
}

// Open shows the page in the panel. A page moving into the panel makes Qt
// replace the panel's native window, and a window manager forgets a window's
// hints when it is hidden: the panel must still be kept out of task bars and
// pagers and be on every desktop.
TEST_P(PanelOnDesktop, OpenShowsTheWebPageAndWithItAndAfterHidingThePanelIsStillASidePanel)
{
    LocalHttpServer server;
    server.setReply(QStringLiteral("/hello"), {200, "<title>Hello Page</title>Hi", "text/html", {}, 0});
    const QString address = server.address().toString() + QStringLiteral("/hello");
    OrvaneProcess orvane;
    ASSERT_TRUE(orvane.launch());
    ASSERT_EQ(orvane.runSecond({QStringLiteral("orvane://open?url=") + QString::fromLatin1(QUrl::toPercentEncoding(address))}), 0);
    ASSERT_TRUE(spinUntil([&] { return server.requestCount(QStringLiteral("/hello")) == 1; }, 15000));
    ASSERT_TRUE(settlesAt(orvane, target)) << describe(orvane);
    // The page's title reaches the saved tab list, so the page really loaded in the panel.
    EXPECT_TRUE(spinUntil([&] { return contentsOf(orvane.settingsFile()).contains("Hello Page"); }, 15000));

    const QString window = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                    QString::number(orvane.pid()), QStringLiteral("--name"), panelName()})
                               .trimmed();
    ASSERT_FALSE(window.isEmpty());
    const auto expectSidePanelHints = [&](const char *when) {
        const OrvaneProcess::Finished xprop = orvane.runWithOutput(
            QStringLiteral("xprop"), {QStringLiteral("-id"), window, QStringLiteral("_NET_WM_STATE"), QStringLiteral("_NET_WM_DESKTOP")});
        for (const char *expected : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_ABOVE",
                                     "_NET_WM_DESKTOP(CARDINAL) = 4294967295"})
            EXPECT_TRUE(xprop.out.contains(QLatin1String(expected)))
                << expected << " missing " << when << " from:\n" << xprop.out.toStdString();
    };
    expectSidePanelHints("with a page shown");

    ASSERT_EQ(orvane.runSecond({QStringLiteral("orvane://toggle")}), 0);
    ASSERT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); })) << describe(orvane);
    ASSERT_EQ(orvane.runSecond({QStringLiteral("orvane://toggle")}), 0);
    ASSERT_TRUE(settlesAt(orvane, target)) << describe(orvane);
    expectSidePanelHints("after a hide and a show");
    if (GetParam() == Desktop::Openbox) {
        // On another workspace the panel is still there.
        xdotool({QStringLiteral("set_desktop"), QStringLiteral("1")});
        EXPECT_TRUE(holdsFor([&] { return orvane.isPanelVisible(); }, 500)) << describe(orvane);
        xdotool({QStringLiteral("set_desktop"), QStringLiteral("0")});
    }
}

TEST(OrvaneStart, ExplainsAMissingOrUnreachableDisplay)
{
    for (const char *display : {"", ":987"}) {
        QProcess orvane;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        QTemporaryDir home;
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
        environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        orvane.setProcessEnvironment(environment);
        orvane.start(QStringLiteral(ORVANE_BINARY), {});
        ASSERT_TRUE(orvane.waitForFinished(10000));
        EXPECT_EQ(orvane.exitStatus(), QProcess::NormalExit) << "no crash";
        EXPECT_EQ(orvane.exitCode(), 1);
        EXPECT_TRUE(orvane.readAllStandardError().contains("Orvane")) << display;
    }
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, PanelOnDesktop, ::testing::Values(Desktop::BareServer, Desktop::Openbox),
                         [](const auto &info) { return desktopName(info.param); });

} // namespace
