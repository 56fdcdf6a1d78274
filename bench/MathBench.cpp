// The scratchpad re-parses its whole note on every keystroke.
#include "math/CurrencyEngine.h"
#include "math/InlineMathParser.h"
#include "platform/MemoryKeyValueStore.h"

#include "BenchGoals.h"

namespace {

// Plain arithmetic and a note of mixed lines, within 1.5 times what they
// took before lines could carry labels, scales, units and totals.
[[maybe_unused]] const bool goalsAdded = addBenchGoals({
    {"evaluateLine/arithmetic", "", 1.5 * 691, "1.5 x 691 ns"},
    {"parseDocumentCold/100", "", 1.5 * 179, "1.5 x 179 us"},
});

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

// Pasted long lines: the time per character must not grow with the length.
QString sumThenEquals(qsizetype length)
{
    return QStringLiteral("1+1") + QString(length, QLatin1Char('='));
}

QString nameWithInnerSpaces(qsizetype length)
{
    return QStringLiteral("a") + QString(length, QLatin1Char(' ')) + QStringLiteral("b+1");
}

void parseLongLine(benchmark::State &state, QString (*line)(qsizetype))
{
    const QString text = line(state.range(0));
    for (auto _ : state) {
        InlineMathParser parser(currency());
        benchmark::DoNotOptimize(parser.parseDocument(text));
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(state.iterations() * state.range(0));
}
BENCHMARK_CAPTURE(parseLongLine, sumThenEquals, sumThenEquals)
    ->RangeMultiplier(4)->Range(1 << 12, 1 << 20)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(parseLongLine, nameWithInnerSpaces, nameWithInnerSpaces)
    ->RangeMultiplier(4)->Range(1 << 12, 1 << 20)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

// A note of typical lines, none the same: prose, headings, lists,
// assignments and calculations.
QString noteOf(int lines)
{
    const QStringList kinds = {
        QStringLiteral("# Monthly budget %1"),
        QStringLiteral("Groceries and the usual weekly errands, week %1."),
        QStringLiteral("rent = 1200 + %1"),
        QStringLiteral("- [ ] utilities = 180 + %1 ="),
        QStringLiteral("rent * 12 + %1 ="),
        QStringLiteral("15% of 2400 + %1"),
        QStringLiteral("$250 + \u20AC%1 ="),
        QStringLiteral("%1 usd to eur"),
        QString(),
        QStringLiteral("tools = 20 + 12 + %1 = 40"),
    };
    QStringList note;
    for (int i = 0; i < lines; ++i) {
        const QString &kind = kinds.at(i % kinds.size());
        // The empty line has no number to take.
        note.append(kind.isEmpty() ? kind : kind.arg(i));
    }
    return note.join(QLatin1Char('\n'));
}

// A note read for the first time.
void parseDocumentCold(benchmark::State &state)
{
    const QString note = noteOf(int(state.range(0)));
    for (auto _ : state) {
        InlineMathParser parser(currency());
        benchmark::DoNotOptimize(parser.parseDocument(note));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(parseDocumentCold)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// What the scratchpad does on a keystroke: the same note read again with one
// line changed, a different line each time.
void parseDocumentAfterKeystroke(benchmark::State &state)
{
    const int lines = int(state.range(0));
    QStringList note = noteOf(lines).split(QLatin1Char('\n'));
    InlineMathParser parser(currency());
    parser.parseDocument(note.join(QLatin1Char('\n')));
    int keystroke = 0;
    for (auto _ : state) {
        const int line = (keystroke * 7919) % lines;
        note[line] += QLatin1Char(keystroke % 2 ? ' ' : '1');
        ++keystroke;
        benchmark::DoNotOptimize(parser.parseDocument(note.join(QLatin1Char('\n'))));
    }
}
BENCHMARK(parseDocumentAfterKeystroke)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
