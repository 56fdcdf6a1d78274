#include "FakeCaptureDesktop.h"
#include "FakePanelWorld.h"
#include "FakeWebPage.h"
#include "input/CaptureAction.h"
#include "input/PanelCommands.h"
#include "input/TrayGlyph.h"
#include "input/TrayMenuModel.h"
#include "web/HibernationEngine.h"

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
