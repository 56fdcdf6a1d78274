#include "ai/PromptSender.h"

#include "FakeClock.h"
#include "FakeWebPage.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

class Sending : public ::testing::Test
{
protected:
    Sending() : page(factory.create(UserAgentMode::Desktop)), fake(static_cast<FakeWebPage &>(*page)) {}

    void send(const QString &prompt = QStringLiteral("Explain the following context in detail:\n\nx"))
    {
        sender.send([this] { return page.get(); }, prompt, [this](bool placed) {
            ++reports;
            result = placed;
        });
    }

    FakeClock clock;
    FakeWebPageFactory factory;
    std::unique_ptr<WebPage> page;
    FakeWebPage &fake;
    PromptSender sender{clock};
    std::optional<bool> result;
    int reports = 0;
};

struct ScriptResultCase { const char *name; QVariant scriptResult; bool placed; };

class ScriptResult : public Sending, public ::testing::WithParamInterface<ScriptResultCase> {};

TEST_P(ScriptResult, OnlyAReportedPlacementCountsAsSent)
{
    send();
    ASSERT_TRUE(fake.scriptCallback) << "a loaded page gets the script at once";
    EXPECT_FALSE(result) << "nothing is reported before the page answers";
    fake.scriptCallback(GetParam().scriptResult);
    EXPECT_EQ(result, GetParam().placed);
    EXPECT_EQ(reports, 1);
}

INSTANTIATE_TEST_SUITE_P(Results, ScriptResult,
    ::testing::Values(ScriptResultCase{"Placed", QVariant(true), true},
                      ScriptResultCase{"NoInputFound", QVariant(false), false},
                      ScriptResultCase{"ScriptError", QVariant(), false},
                      ScriptResultCase{"NotABoolean", QVariant(QStringLiteral("true")), false}), rowName);

TEST_F(Sending, APageStillLoadingGetsThePromptOnceWhenItFinishes)
{
    fake.loading = true;
    send();
    clock.advance(3);
    EXPECT_TRUE(fake.lastScript.isEmpty()) << "no script against the document being replaced";
    fake.finishLoading();
    clock.advance(PromptSender::loadPollSeconds);
    ASSERT_FALSE(fake.lastScript.isEmpty());
    fake.lastScript.clear();
    clock.advance(5);
    EXPECT_TRUE(fake.lastScript.isEmpty()) << "injected once only";
    fake.scriptCallback(QVariant(true));
    EXPECT_EQ(result, true);
    EXPECT_EQ(clock.activeTimerCount(), 0u);
}

TEST_F(Sending, APageThatNeverFinishesLoadingIsGivenUpAfterTheBoundAndAGoneOrMissingOneAtOnce)
{
    fake.loading = true;
    send();
    clock.advance(PromptSender::loadWaitSeconds - 0.5);
    EXPECT_FALSE(result);
    clock.advance(1);
    EXPECT_EQ(result, false);
    EXPECT_TRUE(fake.lastScript.isEmpty());
    EXPECT_EQ(clock.activeTimerCount(), 0u);
    fake.finishLoading();
    clock.advance(1);
    EXPECT_TRUE(fake.lastScript.isEmpty()) << "nothing arrives after giving up";

    fake.loading = true;
    result.reset();
    send();
    page.reset();
    clock.advance(PromptSender::loadPollSeconds);
    EXPECT_EQ(result, false) << "a page gone while waiting";
    result.reset();
    send();
    EXPECT_EQ(result, false) << "no page at all";
    EXPECT_EQ(reports, 3);
}

TEST_F(Sending, ANewPromptReplacesOneStillWaiting)
{
    fake.loading = true;
    send(QStringLiteral("first"));
    EXPECT_FALSE(result);
    send(QStringLiteral("second"));
    EXPECT_EQ(result, false) << "the replaced send is reported as not placed";
    fake.finishLoading();
    clock.advance(PromptSender::loadPollSeconds);
    EXPECT_TRUE(fake.lastScript.contains(QStringLiteral("\"second\"")));
    EXPECT_FALSE(fake.lastScript.contains(QStringLiteral("\"first\"")));
    EXPECT_EQ(reports, 1);
}

TEST(PromptSenderLifetime, AnAnswerAfterTheSenderIsGoneReachesNobody)
{
    FakeClock clock;
    FakeWebPageFactory factory;
    std::unique_ptr<WebPage> page = factory.create(UserAgentMode::Desktop);
    int reports = 0;
    auto sender = std::make_unique<PromptSender>(clock);
    sender->send([&page] { return page.get(); }, QStringLiteral("x"), [&reports](bool) { ++reports; });
    sender.reset();
    static_cast<FakeWebPage &>(*page).scriptCallback(QVariant(true));
    EXPECT_EQ(reports, 0);
}

} // namespace
