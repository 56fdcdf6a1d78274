#include "panel/PanelGeometry.h"
#include "panel/SlideEasing.h"
#include "platform/DesktopCoordinates.h"

#include <gtest/gtest.h>

namespace {

const QRectF visible(0, 0, 1440, 875);

Settings withWidth(double width, ScreenDockEdge edge = ScreenDockEdge::Right)
{
    Settings settings;
    settings.panelWidth = width;
    settings.screenDockEdge = edge;
    return settings;
}

TEST(PanelGeometry, DocksFlushAgainstTheChosenEdge)
{
    PanelGeometry::Target right = PanelGeometry::targetFrame(withWidth(440), visible);
    EXPECT_EQ(right.frame, QRectF(1000, 0, 440, 875));
    EXPECT_EQ(right.offscreenX, 1440);
    PanelGeometry::Target left = PanelGeometry::targetFrame(withWidth(440, ScreenDockEdge::Left), visible);
    EXPECT_EQ(left.frame, QRectF(0, 0, 440, 875));
    EXPECT_EQ(left.offscreenX, -440);
    // A visible frame that does not start at the origin (a second screen, a bottom bar).
    EXPECT_EQ(PanelGeometry::targetFrame(withWidth(440), QRectF(1440, 40, 1920, 1000)).frame, QRectF(2920, 40, 440, 1000));
}

TEST(PanelGeometry, ClampsWidthAndHeight)
{
    EXPECT_EQ(PanelGeometry::targetFrame(withWidth(250), visible).frame.width(), 300);
    EXPECT_EQ(PanelGeometry::targetFrame(withWidth(5000), visible).frame.width(), 1400);

    Settings custom = withWidth(440);
    custom.panelCustomHeight = 600;
    custom.panelTopOffset = 100;
    EXPECT_EQ(PanelGeometry::targetFrame(custom, visible).frame, QRectF(1000, 175, 440, 600));
    custom.panelTopOffset = 400;
    EXPECT_EQ(PanelGeometry::targetFrame(custom, visible).frame.y(), 0) << "held at the bottom of the visible frame";
    custom.panelTopOffset.reset();
    EXPECT_EQ(PanelGeometry::targetFrame(custom, visible).frame.y(), 275);
    custom.panelCustomHeight = 870;
    EXPECT_EQ(PanelGeometry::targetFrame(custom, visible).frame, QRectF(1000, 0, 440, 875)) << "nearly full is full";
    custom.panelCustomHeight = 200;
    EXPECT_EQ(PanelGeometry::targetFrame(custom, visible).frame.height(), 875);

    // Wider than its work area: narrowed to it, on either edge.
    const QRectF small(1440, 0, 1024, 740);
    EXPECT_EQ(PanelGeometry::targetFrame(withWidth(1200), small).frame, QRectF(1440, 0, 1024, 740));
    EXPECT_EQ(PanelGeometry::targetFrame(withWidth(1200, ScreenDockEdge::Left), small).frame, QRectF(1440, 0, 1024, 740));
}

TEST(PanelGeometry, QtCoordinatesMirrorAroundThePrimaryBottomAndEveryPixelRowOfAScreenBelongsToIt)
{
    const QRectF desktop(1000, 175, 440, 600);
    EXPECT_EQ(DesktopCoordinates::toQt(desktop, 900), QRectF(1000, 125, 440, 600));
    EXPECT_EQ(DesktopCoordinates::fromQt(DesktopCoordinates::toQt(desktop, 900), 900), desktop);

    // The primary screen on top, a second one right below it (Qt: y 900 to 1799).
    const double bottom = 900;
    const QList<ScreenGeometry> screens = {
        {DesktopCoordinates::fromQt(QRectF(0, 0, 1440, 900), bottom), {}},
        {DesktopCoordinates::fromQt(QRectF(0, 900, 1440, 900), bottom), {}},
    };
    const auto screenOfRow = [&](double qtRow) {
        const auto screen = PanelGeometry::screenContaining(screens, DesktopCoordinates::pointFromQt({10, qtRow}, bottom));
        return screen ? int(screens.indexOf(*screen)) : -1;
    };
    EXPECT_EQ(screenOfRow(0), 0);
    EXPECT_EQ(screenOfRow(899), 0);
    EXPECT_EQ(screenOfRow(900), 1) << "the lower screen's top row";
    EXPECT_EQ(screenOfRow(1799), 1);
}

TEST(PanelGeometry, OutlineIsSquareOnTheDockedSideUnlessDetached)
{
    const QSizeF size(440, 875);
    const QPointF topLeft(1, 1), topRight(439, 1);
    const QPainterPath right = PanelGeometry::outline(size, ScreenDockEdge::Right, false);
    EXPECT_TRUE(right.contains(topRight));
    EXPECT_FALSE(right.contains(topLeft));
    const QPainterPath left = PanelGeometry::outline(size, ScreenDockEdge::Left, false);
    EXPECT_TRUE(left.contains(topLeft));
    EXPECT_FALSE(left.contains(topRight));
    const QPainterPath detached = PanelGeometry::outline(size, ScreenDockEdge::Right, true);
    EXPECT_FALSE(detached.contains(topLeft));
    EXPECT_FALSE(detached.contains(topRight));
}

TEST(SlideEasing, CurvesStartAtZeroEndAtOneAndOnlyTheSpringOvershoots)
{
    for (const char *curve : {"Spring", "Snappy", "Linear", "EaseOut", "Anything"}) {
        const QString name = QString::fromLatin1(curve);
        EXPECT_NEAR(SlideEasing::value(name, 0), 0, 1e-12) << curve;
        double peak = 0;
        for (int i = 0; i <= 100; ++i)
            peak = std::max(peak, SlideEasing::value(name, i / 100.0));
        if (name == QLatin1String("Spring"))
            EXPECT_NEAR(peak, 1.07, 0.02);
        else
            EXPECT_NEAR(peak, 1.0, 1e-12) << curve;
    }
    EXPECT_DOUBLE_EQ(SlideEasing::value(QStringLiteral("Linear"), 0.3), 0.3);
    EXPECT_EQ(SlideEasing::hidingCurve(QStringLiteral("Spring")), QStringLiteral("EaseOut"));
    EXPECT_EQ(SlideEasing::hidingCurve(QStringLiteral("Snappy")), QStringLiteral("Snappy"));
}

} // namespace
