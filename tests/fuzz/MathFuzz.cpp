// libFuzzer target over the scratchpad's math: lexing, evaluation, line
// parsing, conversion phrases, units and the answers above a line (a
// multi-line input is a note) must never crash, hang or misbehave.
#include "math/CurrencyEngine.h"
#include "math/ExpressionParser.h"
#include "math/InlineMathParser.h"
#include "platform/MemoryKeyValueStore.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // No stored rates: the built-in table is what the fuzzer exercises.
    static MemoryKeyValueStore store;
    static CurrencyEngine currency(store);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    InlineMathParser parser(currency);
    parser.parseLine(QStringLiteral("x = 3"), 0);
    parser.parseLine(QStringLiteral("d = 5 km"), 1);
    if (const auto tokens = MathLexer::tokenize(text, parser.variables()))
        ExpressionParser::evaluate(*tokens);
    parser.evaluateDetailed(text);
    currency.parseConversion(text);
    parser.parseLine(text, 1);
    parser.parseDocument(text);
    return 0;
}
