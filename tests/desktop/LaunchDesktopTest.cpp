// The launch sequence in this process, on the test's X display, with the
// exchange-rate service served on 127.0.0.1.
#include "EventLoopWait.h"
#include "FakeClock.h"
#include "FakePorts.h"
#include "LocalHttpServer.h"
#include "app/AppDelegate.h"
#include "app/SingleInstance.h"
#include "platform/qt/QtClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

namespace {

const QString ratesPath = QStringLiteral("/v6/latest/USD");
const QString eurKey = QStringLiteral("Orvane_rate_EUR");


class Launch : public ::testing::Test
{
protected:
    Launch()
    {
        store.values.insert(QStringLiteral("Orvane_followSystemTheme"), false);
        server.setReply(ratesPath, {200, R"({"rates":{"USD":1,"EUR":0.9,"GBP":0.8}})", "application/json", {}, 0});
    }

    std::unique_ptr<AppDelegate> launch()
    {
        auto delegate = std::make_unique<AppDelegate>(Ports{clock, store, appearance, memory}, instance,
                                                      QStringList(), server.address());
        delegate->applicationDidFinishLaunching();
        return delegate;
    }

    LocalHttpServer server;
    QtClock clock;
    MemoryStore store;
    FakeAppearance appearance;
    FakeMemory memory;
    SingleInstance instance;
};

TEST_F(Launch, RefreshesTheExchangeRatesOnceForTheNextRun)
{
    const auto delegate = launch();
    EXPECT_TRUE(spinUntil([&] { return store.values.contains(eurKey); }));
    EXPECT_EQ(store.doubleValue(eurKey), 0.9);
    EXPECT_EQ(server.requestCount(ratesPath), 1);
}

TEST_F(Launch, ARateReplyArrivingAfterQuittingIsHarmless)
{
    server.setReply(ratesPath, {200, R"({"rates":{"EUR":0.9}})", "application/json", {}, 500});
    auto delegate = launch();
    ASSERT_TRUE(spinUntil([&] { return server.requestCount(ratesPath) == 1; }));
    delegate.reset();
    spinUntil([] { return false; }, 1000);
    EXPECT_FALSE(store.values.contains(eurKey)) << "nothing is stored after quitting";
}

// The rates apply from the next run: the refresh keeps out of the start's way.
TEST(LaunchOnAFakeClock, RefreshesTheExchangeRatesOnlyAfterTheStart)
{
    LocalHttpServer server;
    server.setReply(ratesPath, {200, R"({"rates":{"EUR":0.9}})", "application/json", {}, 0});
    FakeClock clock;
    MemoryStore store;
    FakeAppearance appearance;
    FakeMemory memory;
    SingleInstance instance;
    AppDelegate delegate(Ports{clock, store, appearance, memory}, instance, QStringList(), server.address());
    delegate.applicationDidFinishLaunching();
    clock.advance(2);
    spinFor(500); // time for a request, had one been sent, to arrive
    EXPECT_EQ(server.requestCount(ratesPath), 0);
    clock.advance(2);
    EXPECT_TRUE(spinUntil([&] { return server.requestCount(ratesPath) == 1; }));
}

} // namespace
