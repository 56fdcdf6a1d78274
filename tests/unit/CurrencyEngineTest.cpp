#include "FakePorts.h"
#include "LocalHttpServer.h"
#include "math/CurrencyEngine.h"
#include "math/InlineMathParser.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <random>

namespace {

class Currency : public ::testing::Test
{
protected:
    MemoryStore store;
};

TEST_F(Currency, ResolvesCodesSymbolsAndWords)
{
    const CurrencyEngine engine(store);
    const std::pair<const char16_t *, const char *> rows[] = {
        {u"usd", "USD"}, {u"USD", "USD"}, {u" Eur ", "EUR"}, {u"$", "USD"}, {u"bucks", "USD"}, {u"C$", "CAD"},
        {u"Fr", "CHF"}, {u"\u00A5", "JPY"}, {u"yuan", "CNY"}, {u"quid", "GBP"}, {u"canadian dollar", "CAD"},
    };
    for (const auto &[text, code] : rows)
        EXPECT_EQ(engine.resolveCurrencyCode(QString::fromUtf16(text)), QString::fromLatin1(code)) << code;
    EXPECT_FALSE(engine.resolveCurrencyCode(QStringLiteral("btc")));
}

TEST_F(Currency, ConvertsThroughDollarRates)
{
    const CurrencyEngine engine(store);
    EXPECT_EQ(engine.convert(100, QStringLiteral("USD"), QStringLiteral("EUR")), 92);
    EXPECT_EQ(engine.convert(100, QStringLiteral("EUR"), QStringLiteral("USD")), 108.69565217391303);
    EXPECT_EQ(engine.convert(100, QStringLiteral("INR"), QStringLiteral("INR")), 99.99999999999999);
    EXPECT_FALSE(engine.convert(100, QStringLiteral("USD"), QStringLiteral("XYZ")));
    EXPECT_FALSE(engine.convert(100, QStringLiteral("usd"), QStringLiteral("EUR")));
}

TEST_F(Currency, FormatsWithPrefixAndFixedDigits)
{
    const CurrencyEngine engine(store);
    EXPECT_EQ(engine.formatCurrency(1500.7, QStringLiteral("JPY")), QStringLiteral("\u00A51,501"));
    EXPECT_EQ(engine.formatCurrency(1234.5, QStringLiteral("CHF")), QStringLiteral("CHF 1,234.50"));
    EXPECT_EQ(engine.formatCurrency(2, QStringLiteral("XYZ")), QStringLiteral("XYZ 2.00"));
    EXPECT_EQ(engine.formatCurrency(0.125, QStringLiteral("USD")), QStringLiteral("$0.12")); // half to even
    EXPECT_EQ(engine.formatCurrency(1234567.891, QStringLiteral("AED")), QStringLiteral("AED 1,234,567.89"));
}

struct PhraseCase { const char *name; const char16_t *line; std::optional<CurrencyConversion> expected; };

class Phrases : public Currency, public ::testing::WithParamInterface<PhraseCase> {};

TEST_P(Phrases, AreRecognisedByTheirPattern)
{
    const CurrencyEngine engine(store);
    EXPECT_EQ(engine.parseConversion(QString::fromUtf16(GetParam().line)), GetParam().expected);
}

CurrencyConversion conversion(double amount, const char *from, const char *to)
{
    return {amount, QString::fromLatin1(from), QString::fromLatin1(to)};
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Phrases,
    ::testing::Values(
        PhraseCase{"codes", u"100 usd to eur", conversion(100, "USD", "EUR")},
        PhraseCase{"symbol_source", u"\u20AC50 to eur", conversion(50, "EUR", "EUR")},
        PhraseCase{"no_source_means_dollars", u"20 to eur", conversion(20, "USD", "EUR")},
        PhraseCase{"equals_connector", u"\u20AC50 = inr", conversion(50, "EUR", "INR")},
        PhraseCase{"arrow_connector", u"100 usd -> eur", conversion(100, "USD", "EUR")},
        PhraseCase{"short_word_source", u"100 buck to euros", conversion(100, "USD", "EUR")},
        PhraseCase{"trailing_equals", u"100 usd to eur =", conversion(100, "USD", "EUR")},
        PhraseCase{"long_source_word", u"100 dollars to euros", std::nullopt},
        PhraseCase{"words_after_target", u"100 usd to eur please", std::nullopt},
        PhraseCase{"target_split_by_first_match", u"100 to inr", std::nullopt},
        PhraseCase{"symbol_target_split_by_first_match", u"\u20AC50 in inr", std::nullopt},
        PhraseCase{"source_taken_first", u"100 usd to inr", conversion(100, "USD", "INR")},
        PhraseCase{"unknown_target", u"100 usd to btc", std::nullopt},
        PhraseCase{"signed_amount", u"-5 usd to eur", std::nullopt}), rowName);

// The phrase rule as first written, run by the regular-expression engine
// without any shortcut: the engine's faster form must agree with it.
std::optional<CurrencyConversion> byPlainPattern(const CurrencyEngine &engine, const QString &line)
{
    static const QRegularExpression pattern(
        QStringLiteral("^([\\$\u20AC\u00A3\u20B9\u00A5]?)\\s*([0-9]+(?:\\.[0-9]+)?)\\s*([a-zA-Z]{0,4})\\s*"
                       "(?:in|to|into|=|->)\\s*([\\$\u20AC\u00A3\u20B9\u00A5a-zA-Z]{1,10})$"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    const auto isBlank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); };
    QString text = line;
    const auto trim = [&] {
        while (!text.isEmpty() && isBlank(text.front()))
            text.remove(0, 1);
        while (!text.isEmpty() && isBlank(text.back()))
            text.chop(1);
    };
    trim();
    while (text.endsWith(QLatin1Char('='))) {
        text.chop(1);
        trim();
    }
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    std::optional<QString> from;
    if (!match.captured(3).isEmpty())
        from = engine.resolveCurrencyCode(match.captured(3));
    if (!from && !match.captured(1).isEmpty())
        from = engine.resolveCurrencyCode(match.captured(1));
    const auto to = engine.resolveCurrencyCode(match.captured(4));
    if (!to)
        return std::nullopt;
    return CurrencyConversion{match.captured(2).toDouble(), from.value_or(QStringLiteral("USD")), *to};
}

// Random lines shaped like phrases, slot by slot, with odd choices in every slot.
TEST_F(Currency, PhrasesAgreeWithThePlainPatternOnRandomLines)
{
    const CurrencyEngine engine(store);
    // Each slot's choices, split at |.
    QList<QStringList> slots;
    for (const char16_t *choices : {u"||$|\u20AC|x|\u00A0", u"| |  \t", u"100|2.5|7.|-5|", u"| |   |\u2003",
                                    u"|usd|buck|EUR|dollars|to|in|\u212A", u"| |    ", u"in|to|into|=|->|-|", u"| |\t ",
                                    u"inr|eur|c$|Fr|r|euros|btc|\u00A5|", u"|| =|==| please|\n"})
        slots.append(QString::fromUtf16(choices).split(QLatin1Char('|')));
    std::mt19937 random(20260311);
    int phrases = 0;
    for (int round = 0; round < 30000; ++round) {
        QString text;
        for (const QStringList &choices : slots)
            text += choices.at(std::uniform_int_distribution<int>(0, int(choices.size()) - 1)(random));
        const auto expected = byPlainPattern(engine, text);
        ASSERT_EQ(engine.parseConversion(text), expected) << text.toStdString();
        phrases += expected ? 1 : 0;
    }
    EXPECT_GT(phrases, 3000) << "too few of the lines were phrases to tell the two apart";
}

// Stored rates overlay the built-in ones only when they are positive numbers
// within a factor of 1,000 of them.
TEST_F(Currency, StoredRatesOverlayTheBuiltInOnesOnlyWhenPlausible)
{
    const std::tuple<const char *, QVariant, double> rows[] = {
        {"EUR", 1e-320, 0.92},         {"GBP", 0.77 / 1000, 0.77 / 1000}, {"INR", 83.5 * 1000, 83.5 * 1000},
        {"JPY", 155.0 * 1001, 155.0},  {"CAD", 1.37 / 1001, 1.37},        {"AUD", 1e300, 1.52},
        {"CHF", 0.0, 0.91},            {"CNY", QStringLiteral("lots"), 7.25}, {"NZD", -3.0, 1.65},
        {"SGD", 1.5, 1.5},
    };
    for (const auto &[code, stored, _] : rows)
        store.values.insert(QStringLiteral("Orvane_rate_") + QLatin1String(code), stored);
    const CurrencyEngine engine(store);
    for (const auto &[code, stored, used] : rows)
        EXPECT_EQ(engine.rateToUSD(QLatin1String(code)), used) << code << " stored as " << stored.toString().toStdString();

    InlineMathParser parser(engine);
    const auto answer = parser.parseLine(QStringLiteral("50 eur to usd"), 0);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->resultString, QStringLiteral("= $54.35"));
}

class RateRefresh : public Currency
{
protected:
    // Runs one refresh against the local server and reports whether it stored rates.
    bool refresh(const QUrl &address)
    {
        CurrencyEngine engine(store);
        QNetworkAccessManager network;
        QSignalSpy finished(&engine, &CurrencyEngine::refreshFinished);
        engine.refreshRatesAsync(address, network);
        EXPECT_TRUE(finished.wait(10000));
        // The refresh never changes the rates of the running engine.
        EXPECT_EQ(engine.rateToUSD(QStringLiteral("EUR")), 0.92);
        return !finished.isEmpty() && finished.first().first().toBool();
    }

    void serve(const QByteArray &body, int status = 200)
    {
        server.setReply(QStringLiteral("/v6/latest/USD"), {status, body, "application/json", {}, 0});
    }

    LocalHttpServer server;
};

TEST_F(RateRefresh, StoresKnownCodesForTheNextRun)
{
    store.values.insert(QStringLiteral("Orvane_rate_INR"), 80.0);
    serve(R"({"result":"success","base_code":"USD","rates":{"USD":1,"EUR":0.9,"GBP":0.8,"SEK":10.5}})");
    EXPECT_TRUE(refresh(server.address()));
    EXPECT_EQ(server.requestCount(QStringLiteral("/v6/latest/USD")), 1);
    EXPECT_EQ(store.values.value(QStringLiteral("Orvane_rate_EUR")).toDouble(), 0.9);
    EXPECT_EQ(store.values.value(QStringLiteral("Orvane_rate_GBP")).toDouble(), 0.8);
    EXPECT_FALSE(store.contains(QStringLiteral("Orvane_rate_SEK")));
    EXPECT_EQ(store.values.value(QStringLiteral("Orvane_rate_INR")).toDouble(), 80.0) << "missing codes stay as stored";
    EXPECT_EQ(CurrencyEngine(store).rateToUSD(QStringLiteral("EUR")), 0.9);
}

TEST_F(RateRefresh, UnusableRepliesAndAServerDownStoreNothing)
{
    const QByteArray replies[] = {
        "{not json",
        R"({"rates":"none"})",
        R"({"conversion_rates":{"EUR":0.9}})",
        R"({"rates":{"EUR":0,"GBP":0.8}})",
        R"({"rates":{"EUR":-1}})",
        R"({"rates":{"EUR":1e999}})",
        R"({"rates":{"EUR":"0.9"}})",
        R"({"rates":{"EUR":1e-320,"GBP":0.8}})",
        R"({"rates":{"EUR":0.9,"INR":83501}})",
        "{\"rates\":{\"EUR\":0.9},\"padding\":\"" + QByteArray(2 << 20, 'x') + "\"}",
    };
    for (const QByteArray &reply : replies) {
        serve(reply);
        EXPECT_FALSE(refresh(server.address())) << reply.left(60).constData();
    }
    QUrl closed = server.address();
    closed.setPort(1); // nothing listens there
    EXPECT_FALSE(refresh(closed));
    EXPECT_TRUE(store.writes.isEmpty());
}

} // namespace
