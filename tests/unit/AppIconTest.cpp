#include "FakePorts.h"
#include "LocalHttpServer.h"
#include "TestFiles.h"
#include "icons/AppIconPainter.h"
#include "icons/AppIconProvider.h"
#include "icons/AppIconView.h"
#include "icons/IconKeyResolver.h"
#include "icons/Symbols.h"
#include "state/AppState.h"
#include "theme/OrvaneTheme.h"
#include "ui/RailTabButton.h"

#include <QNetworkAccessManager>
#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QImage render(const QString &key, IconStyle style, const QDate &day = QDate(2026, 12, 6))
{
    QImage image(56, 56, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    EXPECT_TRUE(AppIconPainter::paint(painter, QRectF(0, 0, 56, 56), key, style, day)) << key.toStdString();
    return image;
}

// Pixels that differ from the tile's own colour: the mark.
int markPixels(const QImage &image)
{
    const QRgb tile = image.pixel(4, 28);
    int count = 0;
    for (int y = 8; y < 48; ++y)
        for (int x = 8; x < 48; ++x)
            count += image.pixel(x, y) != tile ? 1 : 0;
    return count;
}

TEST(AppIcons, EveryKnownKeyHasAMarkInEveryStyleAndSymbolsAndTheApplicationIconAreDrawn)
{
    for (const QString &key : IconKeyResolver::knownKeys()) {
        EXPECT_TRUE(AppIconPainter::hasMark(key)) << key.toStdString();
        for (IconStyle style : {IconStyle::Paper, IconStyle::InkAndRule, IconStyle::Brand})
            EXPECT_GT(markPixels(render(key, style)), 40) << key.toStdString() << " draws nothing";
    }
    EXPECT_FALSE(AppIconPainter::hasMark(QStringLiteral("web")));
    EXPECT_FALSE(AppIconPainter::hasMark(QStringLiteral("globe")));

    for (const char *name : {"play.fill", "lightbulb.fill", "gearshape.fill", "xmark", "note.text", "tray.fill", "sparkles",
                             "lock.fill", "lock.open.fill"}) {
        const QPainterPath path = Symbols::path(QString::fromLatin1(name));
        EXPECT_FALSE(path.isEmpty()) << name;
        EXPECT_TRUE(QRectF(0, 0, 1, 1).adjusted(-0.01, -0.01, 0.01, 0.01).contains(path.boundingRect())) << name;
    }
    EXPECT_TRUE(Symbols::path(QStringLiteral("no.such.symbol")).isEmpty());
    EXPECT_EQ(AppIconProvider::icon().size(), QSize(256, 256));
}

TEST(AppIcons, MarksAreTellApartAndFollowTheStyle)
{
    EXPECT_NE(render(QStringLiteral("claude"), IconStyle::Brand), render(QStringLiteral("chatgpt"), IconStyle::Brand));
    EXPECT_NE(render(QStringLiteral("github"), IconStyle::Brand), render(QStringLiteral("discord"), IconStyle::Brand));
    const QImage paper = render(QStringLiteral("github"), IconStyle::Paper);
    const QImage brand = render(QStringLiteral("github"), IconStyle::Brand);
    EXPECT_GT(qGray(paper.pixel(4, 28)), 200) << "paper: a light tile";
    EXPECT_LT(qGray(brand.pixel(4, 28)), 60) << "brand: GitHub's dark tile";
    EXPECT_EQ(iconStyleFor(AppThemeMode::Paper), IconStyle::Paper);
    EXPECT_EQ(iconStyleFor(AppThemeMode::Ember), IconStyle::InkAndRule);
    EXPECT_EQ(iconStyleFor(AppThemeMode::Midnight), IconStyle::Brand);
    // The calendar shows the day.
    EXPECT_NE(render(QStringLiteral("calendar"), IconStyle::Brand, QDate(2026, 12, 6)),
              render(QStringLiteral("calendar"), IconStyle::Brand, QDate(2026, 12, 28)));
}

class IconView : public ::testing::Test
{
protected:
    FakePorts fakes;
    AppState state{fakes.ports()};
};

TEST_F(IconView, UnknownSitesShowTheirLetterUntilTheirIconArrives)
{
    QImage red(32, 32, QImage::Format_RGBA8888);
    red.fill(QColor(200, 20, 20));
    LocalHttpServer server;
    server.setReply(QStringLiteral("/icon.png"), {200, pngOf(red), "image/png", {}, 0});

    state.settings().set(&Settings::followSystemTheme, false);
    state.settings().set(&Settings::currentTheme, AppThemeMode::Midnight);
    QNetworkAccessManager network;
    AppIconView view(state.settings(), network);
    view.resize(40, 40);
    view.setIconSize(40);
    view.setIcon(QStringLiteral("web"), QStringLiteral("Zeta"), QUrl(), server.address().resolved(QUrl(QStringLiteral("/icon.png"))));
    const QColor card = OrvaneTheme::palette(AppThemeMode::Midnight).fileCardBackground;
    EXPECT_EQ(view.grab().toImage().pixelColor(6, 20).rgb(), card.rgb()) << "the letter tile while loading";
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.grab().toImage().pixelColor(20, 20).red() == 200; }, 10000));

    // Paper draws it greyed on a light tile.
    state.settings().set(&Settings::currentTheme, AppThemeMode::Paper);
    const QColor center = view.grab().toImage().pixelColor(20, 20);
    EXPECT_EQ(center.red(), center.green());
    EXPECT_EQ(center.green(), center.blue());
}

TEST_F(IconView, TheShelfsCountBadgeIsDrawnOverItsIcon)
{
    QNetworkAccessManager network;
    RailTabButton shelf(state.settings(), network);
    shelf.setApp(QStringLiteral("shelf"), QStringLiteral("Drop Shelf"), {}, std::nullopt);
    shelf.setBadgeCount(1);
    // Left of the digit, where the badge lies over the icon's tile.
    EXPECT_EQ(shelf.grab().toImage().pixelColor(26, 8).rgb(), OrvaneTheme::shelfBadgeOrange.rgb());
}

} // namespace
