#include "panel/WhisperNotch.h"

#include <gtest/gtest.h>

namespace {

struct PillCase { const char *name; double growth; ScreenDockEdge edge; QRectF pill; };

class NotchPill : public ::testing::TestWithParam<PillCase> {};

TEST_P(NotchPill, SitsAgainstTheScreenEdgeCentredInTheWindow)
{
    EXPECT_EQ(WhisperNotch::pillRect(GetParam().growth, GetParam().edge), GetParam().pill);
}

INSTANTIATE_TEST_SUITE_P(Cases, NotchPill,
                         ::testing::Values(PillCase{"rest_right", 0, ScreenDockEdge::Right, QRectF(15.5, 7, 4.5, 42)},
                                           PillCase{"hovered_right", 1, ScreenDockEdge::Right, QRectF(9.5, 3, 10.5, 50)},
                                           PillCase{"rest_left", 0, ScreenDockEdge::Left, QRectF(0, 7, 4.5, 42)},
                                           PillCase{"hovered_left", 1, ScreenDockEdge::Left, QRectF(0, 3, 10.5, 50)}), rowName);

TEST(WhisperNotch, ShownOnlyWhileThePanelIsHiddenWithTheIndicatorOnSquareAgainstTheEdgeRoundedInside)
{
    EXPECT_TRUE(WhisperNotch::isShown(false, true));
    EXPECT_FALSE(WhisperNotch::isShown(true, true));
    EXPECT_FALSE(WhisperNotch::isShown(false, false));
    EXPECT_FALSE(WhisperNotch::isShown(true, false));
    const QRectF pill = WhisperNotch::pillRect(1, ScreenDockEdge::Right);
    const QPainterPath path = WhisperNotch::pillPath(pill, ScreenDockEdge::Right);
    EXPECT_TRUE(path.contains(QPointF(pill.right() - 0.2, pill.top() + 0.2))) << "square corner at the edge";
    EXPECT_FALSE(path.contains(QPointF(pill.left() + 0.4, pill.top() + 0.4))) << "rounded corner inside";
    const QPainterPath left = WhisperNotch::pillPath(WhisperNotch::pillRect(1, ScreenDockEdge::Left), ScreenDockEdge::Left);
    EXPECT_TRUE(left.contains(QPointF(0.2, 3.2)));
    EXPECT_FALSE(left.contains(QPointF(10.1, 3.4)));
}

TEST(WhisperNotch, TheAccentLineAndTheChevronFaceTheScreenAndADragShowsTheDropSymbol)
{
    const QRectF right = WhisperNotch::pillRect(0, ScreenDockEdge::Right);
    EXPECT_EQ(WhisperNotch::accentLine(right, ScreenDockEdge::Right), QRectF(16.5, 19, 1.5, 18)) << "one point in";
    const QRectF left = WhisperNotch::pillRect(0, ScreenDockEdge::Left);
    EXPECT_EQ(WhisperNotch::accentLine(left, ScreenDockEdge::Left), QRectF(2, 19, 1.5, 18));
    EXPECT_EQ(WhisperNotch::symbolName(ScreenDockEdge::Left, false), QStringLiteral("chevron.right"));
    EXPECT_EQ(WhisperNotch::symbolName(ScreenDockEdge::Right, false), QStringLiteral("chevron.left"));
    EXPECT_EQ(WhisperNotch::symbolName(ScreenDockEdge::Right, true), QStringLiteral("arrow.down.doc.fill"));
}

TEST(WhisperNotch, TheSpringOvershootsOnceAndSettles)
{
    EXPECT_DOUBLE_EQ(WhisperNotch::springProgress(0), 0);
    double peak = 0;
    for (double t = 0; t < WhisperNotch::springSettleSeconds; t += 0.005)
        peak = std::max(peak, WhisperNotch::springProgress(t));
    EXPECT_GT(peak, 1.0);
    EXPECT_LT(peak, 1.1);
    EXPECT_NEAR(WhisperNotch::springProgress(WhisperNotch::springSettleSeconds), 1.0, 0.01);
}

} // namespace
