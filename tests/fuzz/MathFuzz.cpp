// libFuzzer target over the scratchpad's math: lexing, evaluation, line
// parsing and conversion phrases must never crash, hang or misbehave.
#include "math/CurrencyEngine.h"
#include "math/ExpressionParser.h"
#include "math/InlineMathParser.h"
#include "platform/KeyValueStore.h"

#include <cstdint>

namespace {
// No stored rates: the built-in table is what the fuzzer exercises.
class NoStoredValues final : public KeyValueStore
{
public:
    bool contains(const QString &) const override { return false; }
    std::optional<bool> boolValue(const QString &) const override { return std::nullopt; }
    std::optional<double> doubleValue(const QString &) const override { return std::nullopt; }
    std::optional<QString> stringValue(const QString &) const override { return std::nullopt; }
    std::optional<QByteArray> dataValue(const QString &) const override { return std::nullopt; }
    void setBool(const QString &, bool) override {}
    void setDouble(const QString &, double) override {}
    void setString(const QString &, const QString &) override {}
    void setData(const QString &, const QByteArray &) override {}
    void remove(const QString &) override {}
};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static NoStoredValues store;
    static CurrencyEngine currency(store);
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));

    InlineMathParser parser(currency);
    parser.parseLine(QStringLiteral("x = 3"), 0);
    if (const auto tokens = tokenize(text, parser.variables()))
        ExpressionParser::evaluate(*tokens);
    parser.evaluateDetailed(text);
    currency.parseConversion(text);
    parser.parseLine(text, 1);
    parser.parseDocument(text);
    return 0;
}
