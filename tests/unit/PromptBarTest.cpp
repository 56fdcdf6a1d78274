#include "ai/PromptBar.h"

#include "FakePorts.h"
#include "FakeWebPage.h"
#include "state/AppState.h"
#include "web/HibernationEngine.h"

#include <gtest/gtest.h>

namespace {

CapturedContext capture(const QString &text, bool fromClipboard = false)
{
    CapturedContext context;
    context.text = text;
    context.appName = QStringLiteral("Kate");
    context.isFromClipboard = fromClipboard;
    return context;
}

class PromptBarRules : public ::testing::Test
{
protected:
    PromptBarRules()
    {
        state = std::make_unique<AppState>(fakes.ports());
        engine = std::make_unique<HibernationEngine>(*state, fakes.clock, factory);
        bar = std::make_unique<PromptBar>(*state, *engine, fakes.clock);
    }

    void stage(const QString &text, bool fromClipboard = false)
    {
        state->triggerContextAI(capture(text, fromClipboard), std::nullopt);
    }
    FakeWebPage &activePage() { return static_cast<FakeWebPage &>(*engine->existingWebView(state->tabs().activeTab()->id)); }

    FakePorts fakes;
    FakeWebPageFactory factory;
    std::unique_ptr<AppState> state;
    std::unique_ptr<HibernationEngine> engine;
    std::unique_ptr<PromptBar> bar;
};

struct LengthCase { const char *name; QString text; bool showsCount; QString countText; QString preview; };

class CharacterCount : public PromptBarRules, public ::testing::WithParamInterface<LengthCase> {};

TEST_P(CharacterCount, OnlyTextsLongerThan120CharactersGetACountAndShowMore)
{
    stage(GetParam().text);
    EXPECT_EQ(bar->showsCharacterCount(), GetParam().showsCount);
    if (GetParam().showsCount) {
        EXPECT_EQ(bar->characterCountText(), GetParam().countText);
    }
    EXPECT_EQ(bar->previewText(), GetParam().preview);
}

INSTANTIATE_TEST_SUITE_P(Lengths, CharacterCount,
    ::testing::Values(
        LengthCase{"Exactly120", QString(120, QLatin1Char('a')), false, {}, QString(120, QLatin1Char('a'))},
        LengthCase{"Exactly121", QString(121, QLatin1Char('a')), true, QStringLiteral("121 characters"), QString(121, QLatin1Char('a'))},
        LengthCase{"SpacesAtTheEndsCountButAreNotPreviewed", QStringLiteral("  ") + QString(117, QLatin1Char('a')) + QStringLiteral("\n\n"),
                   true, QStringLiteral("121 characters"), QString(117, QLatin1Char('a'))}), rowName);

TEST_F(PromptBarRules, TheHeaderNamesTheSourceAndTheExpandButtonFlips)
{
    stage(QStringLiteral("text"));
    EXPECT_EQ(bar->badge(), QStringLiteral("SELECTION"));
    bar->toggleExpanded();
    EXPECT_TRUE(bar->isExpanded());
    EXPECT_EQ(bar->expandTitle(), QStringLiteral("Show less"));
    stage(QStringLiteral("text"), true);
    EXPECT_EQ(bar->badge(), QStringLiteral("CLIPBOARD"));
    EXPECT_FALSE(bar->isExpanded()) << "a new capture starts collapsed";
    EXPECT_EQ(bar->expandTitle(), QStringLiteral("Show more"));
}

TEST_F(PromptBarRules, TheAITabsAreTheTargetsAndOneCanBeChosen)
{
    stage(QStringLiteral("text"));
    const QList<TabModel> targets = bar->aiTabs();
    ASSERT_GE(targets.size(), 2);
    for (const TabModel &tab : targets)
        EXPECT_TRUE(tab.isAIProvider) << tab.title.toStdString();
    EXPECT_TRUE(bar->isTarget(targets[0])) << "capture made the first AI tab active";
    bar->selectTarget(targets[1].id);
    EXPECT_TRUE(bar->isTarget(targets[1]));
    EXPECT_FALSE(bar->isTarget(targets[0]));
    EXPECT_EQ(bar->targetLabel(), QStringLiteral("➔ ") + targets[1].title);
    EXPECT_EQ(PromptBar::routeTooltip(targets[1]), QStringLiteral("Route prompt to ") + targets[1].title);
}

TEST_F(PromptBarRules, TheContextStaysUntilThePageReportsThePromptPlaced)
{
    stage(QStringLiteral(" int x; "));
    bar->send(2);
    FakeWebPage &page = activePage();
    EXPECT_TRUE(page.lastScript.contains(QStringLiteral("\"Review, debug, and fix the following code snippet:\\n\\n int x; \"")))
        << "template and untrimmed text";
    page.scriptCallback(QVariant(false));
    ASSERT_TRUE(state->capturedContext()) << "nothing typed: the text stays staged";

    bar->send(0);
    page.scriptCallback(QVariant(true));
    EXPECT_FALSE(state->capturedContext());
}

TEST_F(PromptBarRules, ANewerCaptureIsNotClearedByTheAnswerForTheOlderOne)
{
    stage(QStringLiteral("first"));
    bar->send(0);
    stage(QStringLiteral("second"));
    activePage().scriptCallback(QVariant(true));
    ASSERT_TRUE(state->capturedContext());
    EXPECT_EQ(state->capturedContext()->text, QStringLiteral("second"));
}

TEST_F(PromptBarRules, WithoutAnActiveTabNothingIsSentAndTheContextStaysUntilDismissed)
{
    stage(QStringLiteral("text"));
    state->content().setActiveItem(ActiveSidebarItem::scratchpad());
    EXPECT_TRUE(bar->targetLabel().isEmpty());
    bar->send(0);
    EXPECT_TRUE(factory.alive.isEmpty()) << "no page was made";
    EXPECT_TRUE(state->capturedContext());
    bar->dismiss();
    EXPECT_FALSE(bar->staged());
}

} // namespace
