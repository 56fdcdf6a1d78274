// The panel on two monitors side by side: which screen it comes up on.
#include "OrvaneProcess.h"
#include "TwoScreenDisplay.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

class PanelOnTwoScreens : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(screens.start());
        orvane.setDisplay(screens.name());
    }

    void movePointer(int x, int y)
    {
        screens.run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(x), QString::number(y)});
    }

    // The panel window's frame on the nested display, when it is mapped (the
    // notch, also Orvane's, is far narrower than any panel).
    QRect panel()
    {
        QString windows;
        screens.run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--pid"),
                                                QString::number(orvane.pid()), QStringLiteral("--name"),
                                                QStringLiteral("^Orvane$")},
                    &windows);
        for (const QString &window : windows.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            QString shell;
            screens.run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window}, &shell);
            const auto value = [&](const char *name) {
                return QRegularExpression(QStringLiteral("%1=(\\d+)").arg(QLatin1String(name))).match(shell).captured(1).toInt();
            };
            const QRect frame(value("X"), value("Y"), value("WIDTH"), value("HEIGHT"));
            if (frame.width() >= 300)
                return frame;
        }
        return {};
    }

    TwoScreenDisplay screens;
    OrvaneProcess orvane;
};

TEST_F(PanelOnTwoScreens, APointerOnTheTopRowOfTheRightScreenBringsThePanelThere)
{
    movePointer(1000, 0);
    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    EXPECT_TRUE(spinUntil([&] { return panel() == QRect(1000, 0, 440, 900); }, 5000)) << panel().x();
}

TEST_F(PanelOnTwoScreens, AWidthCommandForAHiddenPanelSlidesItInOnThePointersScreen)
{
    movePointer(300, 450);
    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    ASSERT_TRUE(spinUntil([&] { return panel() == QRect(280, 0, 440, 900); }, 5000)) << panel().x();
    EXPECT_EQ(orvane.runSecond({QStringLiteral("orvane://toggle")}), 0);
    ASSERT_TRUE(spinUntil([&] { return panel().isNull(); }, 5000));

    EXPECT_EQ(orvane.runSecond({QStringLiteral("orvane://width?val=500")}), 0);
    EXPECT_TRUE(spinUntil([&] { return panel() == QRect(220, 0, 500, 900); }, 5000)) << panel().x() << " " << panel().width();
}

} // namespace
