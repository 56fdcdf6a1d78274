// The scratchpad re-parses its whole note on every keystroke.
#include "math/CurrencyEngine.h"
#include "math/InlineMathParser.h"
#include "platform/MemoryKeyValueStore.h"

#include <benchmark/benchmark.h>

namespace {

const CurrencyEngine &currency()
{
    static MemoryKeyValueStore store;
    static const CurrencyEngine engine(store);
    return engine;
}

void evaluateLine(benchmark::State &state, const char *line)
{
    InlineMathParser parser(currency());
    const QString text = QString::fromUtf8(line);
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.evaluateDetailed(text));
}
BENCHMARK_CAPTURE(evaluateLine, arithmetic, "(1200 + 350) * 12 / 4");
BENCHMARK_CAPTURE(evaluateLine, percentOf, "15% of 200 + 10%");
BENCHMARK_CAPTURE(evaluateLine, currency, "$250 + \xE2\x82\xAC" "100");
BENCHMARK_CAPTURE(evaluateLine, conversion, "100 usd to eur");

// A note of typical lines: prose, headings, lists, assignments and calculations.
QString noteOf(int lines)
{
    const QStringList kinds = {
        QStringLiteral("# Monthly budget"),
        QStringLiteral("Groceries and the usual weekly errands."),
        QStringLiteral("rent = 1200"),
        QStringLiteral("- [ ] utilities = 180 + 45 ="),
        QStringLiteral("rent * 12 ="),
        QStringLiteral("15% of 2400"),
        QStringLiteral("$250 + \u20AC100 ="),
        QStringLiteral("100 usd to eur"),
        QString(),
        QStringLiteral("tools = 20 + 12 + 8 = 40"),
    };
    QStringList note;
    for (int i = 0; i < lines; ++i)
        note.append(kinds.at(i % kinds.size()));
    return note.join(QLatin1Char('\n'));
}

void parseDocument(benchmark::State &state)
{
    InlineMathParser parser(currency());
    const QString note = noteOf(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(parser.parseDocument(note));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(parseDocument)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
