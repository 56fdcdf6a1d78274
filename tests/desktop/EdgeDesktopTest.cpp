// The screen edge on a real X server, with and without a window manager:
// the strips, the notch and real XDND drags, driven by XTest.
#include "DragSourceProcess.h"
#include "OrvaneProcess.h"
#include "TestFiles.h"
#include "TwoScreenDisplay.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QScreen>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace {

class EdgeOnDesktop : public OnEachWindowManager
{
protected:
    void SetUp() override
    {
        movePointer(1200, 450);
        startWindowManager();
    }

    // Launches with the panel hidden again, half a second after it closed,
    // and the pointer away from the edge.
    static void launchHidden(OrvaneProcess &orvane)
    {
        ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
        ASSERT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }));
        hide(orvane);
    }

    static void hide(OrvaneProcess &orvane)
    {
        movePointer(700, 450);
        ASSERT_EQ(orvane.runSecond({QStringLiteral("orvane://toggle")}), 0);
        ASSERT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); }));
        ASSERT_TRUE(holdsFor([&] { return !orvane.isPanelVisible(); }, 600));
    }

    static QString notchWindow(OrvaneProcess &orvane)
    {
        return xdotool({QStringLiteral("search"), QStringLiteral("--all"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--pid"), QString::number(orvane.pid()), QStringLiteral("--name"),
                        QStringLiteral("^Orvane notch$")})
            .trimmed();
    }

    // The width of the window's shape: the pill's.
    static int shapeWidth(const QString &window)
    {
        QProcess xwininfo;
        xwininfo.start(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window, QStringLiteral("-shape")});
        xwininfo.waitForFinished(3000);
        const auto match = QRegularExpression(QStringLiteral("Window shape extents:\\s+(\\d+)x"))
                               .match(QString::fromUtf8(xwininfo.readAllStandardOutput()));
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }
};

TEST_P(EdgeOnDesktop, AClickOnTheStripShowsTheHiddenPanel)
{
    OrvaneProcess orvane({QStringLiteral("Orvane_edgeHoverEnabled=false")});
    launchHidden(orvane);
    movePointer(1439, 150);
    EXPECT_TRUE(holdsFor([&] { return !orvane.isPanelVisible(); }, 500)) << "hovering is off";
    clickAt({1439, 150});
    EXPECT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }, inputDeadlineMs));
}

// A window of the test's own along the right edge, there before Orvane's strips.
class EdgeWindow final : public QWidget
{
public:
    EdgeWindow() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint)
    {
        QPalette red = palette();
        red.setColor(QPalette::Window, Qt::red);
        setPalette(red);
        setAutoFillBackground(true);
        setGeometry(1340, 0, 100, 900);
        show();
    }
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

// What the screen shows along the right edge, above where the notch sits.
QImage edgePixels()
{
    return QGuiApplication::primaryScreen()->grabWindow(0, 1428, 0, 12, 400).toImage();
}

TEST_P(EdgeOnDesktop, AClickAtTheEdgeWhileThePanelIsShownReachesTheWindowBelow)
{
    EdgeWindow below;
    ASSERT_TRUE(spinUntil([&] { return below.isVisible(); }));
    // A short panel at the top leaves the edge below it uncovered.
    OrvaneProcess orvane({QStringLiteral("Orvane_panelCustomHeight=400"), QStringLiteral("Orvane_panelTopOffset=0"),
                          QStringLiteral("Orvane_autoHideOnMouseExit=false")});
    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    ASSERT_TRUE(spinUntil([&] { return orvane.isPanelVisible() && orvane.panelGeometry().height() == 400; }));
    ASSERT_TRUE(holdsFor([&] { return orvane.isPanelVisible(); }, 300));
    clickAt({1439, 800});
    EXPECT_TRUE(spinUntil([&] { return below.presses == 1; })) << "the strip let the click through";
    EXPECT_TRUE(spinUntil([&] { return !orvane.isPanelVisible(); })) << "a click in another window hides the panel";
}

TEST_P(EdgeOnDesktop, TheNotchShowsWhileHiddenGrowsOnHoverAndTogglesOnClick)
{
    OrvaneProcess orvane;
    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    ASSERT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }));
    EXPECT_TRUE(spinUntil([&] { return notchWindow(orvane).isEmpty(); })) << "no notch beside the shown panel";
    hide(orvane);
    const QString notch = notchWindow(orvane);
    ASSERT_FALSE(notch.isEmpty());
    EXPECT_EQ(shapeWidth(notch), 4) << "the pill at rest";
    movePointer(1438, 450);
    EXPECT_TRUE(spinUntil([&] { return shapeWidth(notch) == 10; })) << "grown under the pointer";
    EXPECT_FALSE(orvane.isPanelVisible()) << "the notch, not the strip, has the pointer";
    xdotool({QStringLiteral("click"), QStringLiteral("1")});
    EXPECT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }, inputDeadlineMs));
    EXPECT_TRUE(spinUntil([&] { return notchWindow(orvane).isEmpty(); }));
}

// Over a window of a plain colour, which a painted strip would cover: the
// strips are never seen, and the pointer on one shows the panel. Beside the
// pill at rest, as far in as the strip and the pill together reach, the
// pointer finds the notch; nothing is drawn there either.
TEST_P(EdgeOnDesktop, TheStripsAndTheNotchsReachCannotBeSeenAndThePointerThereShowsThePanel)
{
    EdgeWindow below;
    ASSERT_TRUE(spinUntil([&] { return below.isVisible() && edgePixels().pixelColor(6, 10) == QColor(Qt::red); }));
    const QImage before = edgePixels();
    OrvaneProcess orvane;
    launchHidden(orvane);
    EXPECT_TRUE(holdsFor([&] { return edgePixels() == before; }, 300));
    ASSERT_FALSE(notchWindow(orvane).isEmpty());
    // The notch spans y 422 to 478; the pill at rest x 1435.5 to 1440, the strip x 1434 to 1440.
    const QImage beside = QGuiApplication::primaryScreen()->grabWindow(0, 1429, 422, 5, 56).toImage();
    for (int y = 0; y < beside.height(); ++y) {
        for (int x = 0; x < beside.width(); ++x)
            ASSERT_EQ(beside.pixelColor(x, y), QColor(Qt::red)) << "painted at " << 1429 + x << "," << 422 + y;
    }
    movePointer(1431, 440);
    EXPECT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }, inputDeadlineMs)) << "beside the pill";
    hide(orvane);
    movePointer(1439, 150);
    EXPECT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }, inputDeadlineMs)) << "on the strip";
}

// Image data alone is refused; a file is taken and opens the shelf; text becomes a snippet.
TEST_P(EdgeOnDesktop, WhatIsDraggedOntoTheStripIsTakenAsTheShelfTakesIt)
{
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("report.pdf"));
    ASSERT_TRUE(writeFile(pdf, "%PDF-1.4"));
    OrvaneProcess orvane;
    launchHidden(orvane);
    const auto dropOnStrip = [](const QStringList &arguments) {
        DragSourceProcess source(arguments);
        if (!source.isReady())
            return QStringLiteral("not ready");
        source.dragTo(1439, 150);
        spinUntil([&] { return !source.result().isEmpty(); }, 5000);
        return source.result();
    };
    EXPECT_EQ(dropOnStrip({QStringLiteral("--image")}), QStringLiteral("ignore"));
    EXPECT_EQ(dropOnStrip({QStringLiteral("--file"), pdf}), QStringLiteral("copy"));
    EXPECT_TRUE(spinUntil([&] { return orvane.isPanelVisible(); }, inputDeadlineMs));
    hide(orvane);
    EXPECT_EQ(dropOnStrip({QStringLiteral("--text"), QStringLiteral("Meeting notes for Tuesday")}), QStringLiteral("copy"));
    const QDir snippets(orvane.environment().value(QStringLiteral("HOME"))
                        + QStringLiteral("/.local/share/Orvane/DropShelf/Snippets"));
    EXPECT_TRUE(spinUntil([&] {
        const QStringList files = snippets.entryList({QStringLiteral("*.txt")}, QDir::Files);
        return std::any_of(files.cbegin(), files.cend(), [&](const QString &name) {
            return contentsOf(snippets.filePath(name)) == "Meeting notes for Tuesday";
        });
    }));
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, EdgeOnDesktop, ::testing::Values(Desktop::BareServer, Desktop::Openbox),
                         [](const auto &info) { return desktopName(info.param); });

class TwoScreens : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_screens.start());
        m_display = m_screens.name();
    }

    int xrandr(const QStringList &arguments) { return m_screens.xrandr(arguments); }

    // The edge strips' geometries, as "WxH+X+Y".
    QStringList strips()
    {
        QString listing;
        m_screens.run(QStringLiteral("xwininfo"), {QStringLiteral("-root"), QStringLiteral("-children")}, &listing);
        QStringList found;
        const QStringList lines = listing.split(QLatin1Char('\n'));
        for (const QString &line : lines) {
            if (line.contains(QLatin1String("\"Orvane edge\"")))
                found.append(line.section(QLatin1Char(' '), -2, -2, QString::SectionSkipEmpty));
        }
        found.sort();
        return found;
    }

    TwoScreenDisplay m_screens;
    QString m_display;
};

TEST_F(TwoScreens, EachScreenGetsAStripAndTheyFollowTheScreens)
{
    OrvaneProcess orvane;
    orvane.setDisplay(m_display);
    ASSERT_TRUE(orvane.launch()) << orvane.log().toStdString();
    EXPECT_TRUE(spinUntil([&] { return strips() == QStringList({"11x56+1429+422", "11x56+709+422", "6x900+1434+0", "6x900+714+0"}); }, 5000))
        << strips().join(QLatin1Char(' ')).toStdString();
    ASSERT_EQ(xrandr({QStringLiteral("--delmonitor"), QStringLiteral("right")}), 0);
    EXPECT_TRUE(spinUntil([&] { return strips() == QStringList({"11x56+709+422", "6x900+714+0"}); }, 5000))
        << strips().join(QLatin1Char(' ')).toStdString();
}

} // namespace
