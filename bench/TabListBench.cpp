// The tab list is re-encoded whole on every change and decoded at start-up.
#include "BenchGoals.h"
#include "icons/IconKeyResolver.h"
#include "web/TabList.h"
#include "web/TabListJson.h"

#include <benchmark/benchmark.h>

namespace {

// Encoded on every change and decoded at start-up, on the interface thread.
[[maybe_unused]] const bool goalsAdded = addBenchGoals({
    {"encodeTabList/50", "", 1e6, "a millisecond for 50 tabs"},
    {"decodeTabList/50", "", 1e6, "a millisecond for 50 tabs"},
});

QList<TabModel> manyTabs(int count)
{
    QList<TabModel> tabs;
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < count; ++i) {
        tabs.append(TabList::makeTab(QStringLiteral("Tab %1").arg(i), QUrl(QStringLiteral("https://site%1.example.com/path").arg(i)),
                                     QStringLiteral("globe"), false, now));
    }
    return tabs;
}

void encodeTabList(benchmark::State &state)
{
    const QList<TabModel> tabs = manyTabs(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(TabListJson::encode(tabs));
}
BENCHMARK(encodeTabList)->Arg(7)->Arg(50);

void decodeTabList(benchmark::State &state)
{
    const QByteArray data = TabListJson::encode(manyTabs(int(state.range(0))));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (auto _ : state)
        benchmark::DoNotOptimize(TabListJson::decode(data, now));
}
BENCHMARK(decodeTabList)->Arg(7)->Arg(50);

void resolveUnknownKey(benchmark::State &state)
{
    const QUrl url(QStringLiteral("https://www.example.com/some/page"));
    for (auto _ : state)
        benchmark::DoNotOptimize(IconKeyResolver::resolveKey(QStringLiteral("globe"), QStringLiteral("Example page"), url));
}
BENCHMARK(resolveUnknownKey);

} // namespace
