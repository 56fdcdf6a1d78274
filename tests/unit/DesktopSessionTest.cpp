#include "app/DesktopSession.h"

#include <gtest/gtest.h>

namespace {

TEST(DesktopSession, TheSessionTypeDecidesAndTheWaylandDisplayOnlyWithoutOne)
{
    EXPECT_TRUE(DesktopSession::isWaylandSession(QStringLiteral("wayland"), {}));
    EXPECT_TRUE(DesktopSession::isWaylandSession(QStringLiteral("Wayland"), {}));
    EXPECT_FALSE(DesktopSession::isWaylandSession(QStringLiteral("x11"), QStringLiteral("wayland-0")))
        << "an X11 session that leaves a Wayland display around";
    EXPECT_TRUE(DesktopSession::isWaylandSession({}, QStringLiteral("wayland-0")));
    EXPECT_FALSE(DesktopSession::isWaylandSession({}, {}));
}

// What the user reads at start, on the About page and on the Shortcuts page.
TEST(DesktopSession, SaysWhatIsLimitedAndHowToBindTheKeysWhereNothingBindsThem)
{
    const DesktopSession x11{false, QStringLiteral("Openbox"), false};
    EXPECT_EQ(x11.description(), QStringLiteral("Desktop: X11 session, window manager Openbox; nothing limited."));
    EXPECT_TRUE(x11.globalKeysNote().isEmpty());

    const DesktopSession bare{true, {}, false};
    EXPECT_TRUE(bare.description().startsWith(
        QStringLiteral("Desktop: Wayland session through XWayland, no window manager; limited: the hot keys work only")))
        << bare.description().toStdString();
    EXPECT_TRUE(bare.globalKeysNote().contains(QStringLiteral("xdg-open orvane://toggle")));

    const DesktopSession portal{true, QStringLiteral("KWin"), true};
    EXPECT_FALSE(portal.description().contains(QStringLiteral("hot keys work only"))) << portal.description().toStdString();
    EXPECT_TRUE(portal.description().contains(QStringLiteral("edge strip")));
    EXPECT_FALSE(portal.globalKeysNote().contains(QStringLiteral("xdg-open")));
}

} // namespace
