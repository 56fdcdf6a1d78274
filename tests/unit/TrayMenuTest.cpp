#include "FakeCaptureDesktop.h"
#include "FakePanelWorld.h"
#include "FakeWebPage.h"
#include "input/CaptureAction.h"
#include "input/DBusMenuExporter.h"
#include "input/PanelCommands.h"
#include "input/TrayGlyph.h"
#include "input/TrayMenuModel.h"
#include "web/HibernationEngine.h"

#include <QMenu>

#include <gtest/gtest.h>

namespace {

TEST(TrayMenu, TheDockRowOffersTheOtherEdge)
{
    EXPECT_EQ(TrayMenuModel::rows(ScreenDockEdge::Right).at(9).title, QStringLiteral("Switch Screen Dock to Left Edge"));
    EXPECT_EQ(TrayMenuModel::rows(ScreenDockEdge::Left).at(9).title, QStringLiteral("Switch Screen Dock to Right Edge"));
}

TEST(TrayMenu, TheGlyphIsASquareWithAStripeCutOutReadableOnDarkAndLight)
{
    const QImage glyph = TrayGlyph::image(36);
    const auto alpha = [&](int x, int y) { return qAlpha(glyph.pixel(x, y)); };
    EXPECT_EQ(alpha(0, 0), 0) << "outside the square";
    EXPECT_EQ(alpha(24, 18), 255) << "the square";
    EXPECT_LT(qGray(glyph.pixel(24, 18)), 80) << "dark, for light panels";
    EXPECT_EQ(alpha(12, 18), 0) << "the stripe";
    EXPECT_GT(qGray(glyph.pixel(18, 3)), 180) << "a light rim, for dark panels";

    const QImage unread = TrayGlyph::image(36, TrayGlyph::Mark::Unread);
    EXPECT_GT(qRed(unread.pixel(29, 7)), 2 * qGreen(unread.pixel(29, 7))) << "a red dot in the corner";
    EXPECT_EQ(qAlpha(unread.pixel(21, 7)), 0) << "cut free of the square";
    EXPECT_EQ(unread.pixel(24, 24), glyph.pixel(24, 24)) << "the rest unchanged";
}

// What a StatusNotifierItem tray reads of the menu over D-Bus.
TEST(TrayMenu, TheTraysCopyOfTheMenuNamesRowsAsTheHostWritesThemAndNeverReusesAnId)
{
    QMenu menu;
    DBusMenuExporter exporter(menu);
    int triggered = 0;
    const auto build = [&] {
        menu.clear();
        menu.addAction(QStringLiteral("Orvane 1.0"))->setEnabled(false);
        menu.addSeparator();
        QAction *row = menu.addAction(QStringLiteral("Notes && &Math_2"));
        row->setShortcut(QKeySequence(QStringLiteral("Ctrl+Alt+Space")));
        QObject::connect(row, &QAction::triggered, [&] { ++triggered; });
    };
    QObject::connect(&exporter, &DBusMenuExporter::aboutToShow, build);
    build();

    const QList<int> ids = exporter.rowIds();
    ASSERT_EQ(ids.size(), 3);
    EXPECT_EQ(exporter.properties(ids[0]).value(QStringLiteral("enabled")), QVariant(false));
    EXPECT_EQ(exporter.properties(ids[1]).value(QStringLiteral("type")), QStringLiteral("separator"));
    const QVariantMap row = exporter.properties(ids[2]);
    EXPECT_EQ(row.value(QStringLiteral("label")), QStringLiteral("Notes & _Math__2"));
    EXPECT_EQ(row.value(QStringLiteral("shortcut")).value<QList<QStringList>>(),
              (QList<QStringList>{{QStringLiteral("Control"), QStringLiteral("Alt"), QStringLiteral("Space")}}));
    EXPECT_FALSE(exporter.activate(ids[0])) << "a disabled row";
    EXPECT_TRUE(exporter.activate(ids[2]));
    EXPECT_EQ(triggered, 1);

    const quint32 revision = exporter.revision();
    EXPECT_TRUE(exporter.prepareToShow()) << "made anew, so the host must read it again";
    EXPECT_GT(exporter.revision(), revision);
    const QList<int> rebuilt = exporter.rowIds();
    for (const int id : ids)
        EXPECT_FALSE(rebuilt.contains(id)) << id;
    EXPECT_FALSE(exporter.activate(ids[2])) << "a row of the old menu";
    EXPECT_TRUE(exporter.activate(rebuilt[2]));
    EXPECT_EQ(triggered, 2);
}

class TrayCommands : public FakePanelWorld
{
protected:
    TrayCommands()
    {
        hibernation = std::make_unique<HibernationEngine>(*state, fakes.clock, pages);
        capture = std::make_unique<CaptureAction>(*state, *panel, captureDesktop.detector);
        commands = std::make_unique<PanelCommands>(*state, *panel, *hibernation, *capture);
    }

    FakeWebPageFactory pages;
    std::unique_ptr<HibernationEngine> hibernation;
    FakeCaptureDesktop captureDesktop{fakes.clock};
    std::unique_ptr<CaptureAction> capture;
    std::unique_ptr<PanelCommands> commands;
};

TEST_F(TrayCommands, ScratchpadAndPaletteShowThePanelAndTheScratchpadLeavesTheSettingsOpen)
{
    state->content().setShowSettingsModal(true);
    commands->openScratchpad();
    fakes.clock.advance(1);
    EXPECT_EQ(state->content().activeItem(), ActiveSidebarItem::scratchpad());
    EXPECT_TRUE(state->content().showSettingsModal());
    EXPECT_TRUE(state->isPanelVisible());
    panel->hidePanel(false);
    commands->openCommandPalette();
    fakes.clock.advance(1);
    EXPECT_TRUE(state->content().showCommandPalette());
    EXPECT_TRUE(state->isPanelVisible());
}

TEST_F(TrayCommands, SwitchingTheDockEdgeIsSavedAndMovesThePanel)
{
    commands->openDropShelf();
    fakes.clock.advance(1);
    EXPECT_EQ(surface.frame().x(), 1000);
    commands->flipDockEdge();
    fakes.clock.advance(1);
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_screenDockEdge")), QStringLiteral("left"));
    EXPECT_EQ(surface.frame().x(), 0);
    commands->flipDockEdge();
    EXPECT_EQ(fakes.store.values.value(QStringLiteral("Orvane_screenDockEdge")), QStringLiteral("right"));
}

TEST_F(TrayCommands, HibernateSparesTheActiveTab)
{
    const QList<TabModel> tabs = state->tabs().tabs();
    hibernation->getOrCreateWebView(tabs.at(0));
    hibernation->getOrCreateWebView(tabs.at(1));
    state->tabs().selectTab(tabs.at(0).id);
    commands->hibernateInactiveTabs();
    EXPECT_TRUE(hibernation->existingWebView(tabs.at(0).id));
    EXPECT_FALSE(hibernation->existingWebView(tabs.at(1).id));
}

} // namespace
