#include "FakePorts.h"
#include "math/CurrencyEngine.h"
#include "math/InlineMathParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace {

class MathParser : public ::testing::Test
{
protected:
    MemoryStore store;
    CurrencyEngine currency{store};
    InlineMathParser parser{currency};

    QString single(const QString &line)
    {
        const auto results = parser.parseDocument(line);
        return results.isEmpty() ? QStringLiteral("none") : results.first().resultString;
    }
};

struct LineCase
{
    const char *name;
    const char16_t *line;
    const char16_t *expected;
};

class LineTable : public MathParser, public ::testing::WithParamInterface<LineCase>
{
};

TEST_P(LineTable, GivesTheExpectedResult)
{
    EXPECT_EQ(single(QString::fromUtf16(GetParam().line)), QString::fromUtf16(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LineTable,
    ::testing::Values(
        LineCase{"requested_sum", u"2+2 =", u"= 4"}, LineCase{"bare_sum", u"2+2", u"= 4"},
        LineCase{"lone_number", u"42", u"none"}, LineCase{"requested_number", u"42 =", u"= 42"},
        LineCase{"repeating_fraction", u"10 / 3 =", u"= 3.3333"}, LineCase{"division_by_zero", u"7 / 0 =", u"none"},
        LineCase{"open_checkbox", u"- [ ] 5*5 =", u"= 25"}, LineCase{"ticked_checkbox", u"- [x] 5*5 =", u"= 25"},
        LineCase{"capital_x_checkbox", u"- [X] 5*5 =", u"none"},
        LineCase{"bullet", u"* 6*7 =", u"= 42"}, LineCase{"several_equals", u"2+2 = =", u"= 4"},
        LineCase{"assignment_requested", u"x = 5 + 3 =", u"= 8"},
        LineCase{"left_side_value", u"12*3 = 36", u"= 36"}, LineCase{"wrong_answer_shows_left_side", u"2 + 2 = 5", u"= 4"},
        LineCase{"undefined_variable", u"total = price * 2", u"none"},
        LineCase{"percent_of", u"15% of 200 =", u"= 30"}, LineCase{"percent_is_divided_by_100", u"50 + 10% =", u"= 50.1"},
        LineCase{"percent_of_then_more", u"10% of 200 + 5 =", u"= 25"},
        LineCase{"conversion_phrase", u"100 usd to eur", u"= \u20AC92.00"},
        LineCase{"mixed_currencies", u"$100 + \u20AC50 =", u"= $154.35"},
        LineCase{"rupee_amount", u"\u20B9100 * 3 =", u"= \u20B9300.00"},
        LineCase{"heading", u"# Heading", u"none"}, LineCase{"grouped_number", u"1,000 + 1 =", u"none"},
        LineCase{"unknown_word", u"2 apples + 3 =", u"none"}, LineCase{"prose", u"Call the bank today", u"none"},
        LineCase{"near_whole", u"2.9999999 =", u"= 3"}, LineCase{"tiny", u"0.000001 =", u"= 0"},
        LineCase{"tiny_negative_keeps_sign", u"-0.000001 =", u"= -0"},
        // A double holds fifteen significant digits for certain: answers show no more.
        LineCase{"fifteen_whole_digits_as_they_are", u"999999999999999 =", u"= 999999999999999"},
        LineCase{"sixteen_whole_digits_are_scientific", u"1234567890123456 =", u"= 1.23456789012346e+15"},
        LineCase{"square_past_double_precision", u"99999999999^2 =", u"= 9.9999999998e+21"},
        LineCase{"huge_whole_is_scientific", u"10^20 =", u"= 1e+20"},
        LineCase{"lost_unit_is_not_shown", u"10^20 + 1 =", u"= 1e+20"},
        LineCase{"negative_huge_whole", u"-(2^70) =", u"= -1.18059162071741e+21"},
        LineCase{"fifteen_digits_with_decimals_as_they_are", u"12345678901.2345 =", u"= 12345678901.2345"},
        LineCase{"decimals_give_way_to_whole_digits", u"123456789012.3456 =", u"= 123456789012.346"},
        LineCase{"rounding_up_to_sixteen_digits", u"999999999999999.9 =", u"= 1e+15"},
        LineCase{"fifteen_digit_amount_as_it_is", u"$1000000000000 =", u"= $1,000,000,000,000.00"},
        LineCase{"amount_past_double_precision", u"$99999999999 * 99999999999 =", u"= $9.9999999998e+21"},
        LineCase{"four_digits_half_even", u"1234.56789 =", u"= 1234.5679"},
        LineCase{"not_a_number_is_shown", u"sqrt(-1) =", u"= NaN"},
        LineCase{"answered_assignment", u"tools = 20 + 12 + 8 = 40", u"= 40"}),
    [](const auto &info) { return std::string(info.param.name); });

// Pasted lines of millions of characters must be read in time linear in their
// length: the scratchpad reads its note as the user types. Each of these took
// time growing with the square of the length; at these lengths that was
// minutes to hours, beyond the unit tests' time limit, while now each takes
// milliseconds. Their speed is measured by bench_math; here only the answers.
struct LongNoteCase
{
    const char *name;
    std::function<QString()> note;
    QStringList expected;
};

class LongLines : public MathParser, public ::testing::WithParamInterface<LongNoteCase>
{
};

TEST_P(LongLines, AreReadWhole)
{
    QStringList results;
    for (const MathResult &result : parser.parseDocument(GetParam().note()))
        results.append(result.resultString);
    EXPECT_EQ(results, GetParam().expected);
}

constexpr qsizetype million = 1000000;

INSTANTIATE_TEST_SUITE_P(
    Rows, LongLines,
    ::testing::Values(
        LongNoteCase{"sum_then_a_run_of_equals", [] { return QStringLiteral("1+1") + QStringLiteral("=").repeated(4 * million); },
                     {QStringLiteral("= 2")}},
        LongNoteCase{"sum_then_spaced_equals", [] { return QStringLiteral("1+1") + QStringLiteral(" =").repeated(2 * million); },
                     {QStringLiteral("= 2")}},
        LongNoteCase{"name_with_a_run_of_inner_spaces",
                     [] {
                         const QString name = QStringLiteral("a") + QStringLiteral(" ").repeated(million) + QStringLiteral("b");
                         return name + QStringLiteral(" = 5\n") + name + QStringLiteral("+1");
                     },
                     {QStringLiteral("= 5"), QStringLiteral("= 6")}},
        LongNoteCase{"long_number_with_percent",
                     [] { return QStringLiteral("0").repeated(million) + QStringLiteral("5% ="); }, {QStringLiteral("= 0.05")}},
        LongNoteCase{"long_number_with_percent_of",
                     [] { return QStringLiteral("0").repeated(million) + QStringLiteral("15% of 200 ="); },
                     {QStringLiteral("= 30")}},
        LongNoteCase{"many_currency_amounts",
                     [] { return QStringLiteral("$1+").repeated(million) + QStringLiteral("$1 ="); },
                     {QStringLiteral("= $1,000,001.00")}},
        LongNoteCase{"conversion_phrase_with_a_run_of_spaces",
                     [] { return QStringLiteral("100") + QStringLiteral(" ").repeated(million) + QStringLiteral("usd to eur"); },
                     {QStringLiteral("= \u20AC92.00")}},
        LongNoteCase{"no_phrase_after_a_run_of_spaces",
                     [] { return QStringLiteral("1") + QStringLiteral(" ").repeated(million) + QStringLiteral("to!"); }, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(MathParser, VariablesFlowDownwardsAndAreClearedPerDocument)
{
    QList<MathResult> results = parser.parseDocument(QStringLiteral("a = 2\nb = a * 3\nb ="));
    ASSERT_EQ(results.size(), 3);
    EXPECT_EQ(results.at(0).resultString, QStringLiteral("= 2"));
    EXPECT_EQ(results.at(1).resultString, QStringLiteral("= 6"));
    EXPECT_EQ(results.at(2).resultString, QStringLiteral("= 6"));
    EXPECT_EQ(results.at(2).lineNumber, 2);
    EXPECT_TRUE(parser.parseDocument(QStringLiteral("b =")).isEmpty());

    results = parser.parseDocument(QStringLiteral("Monthly Rent = 1200\nmonthly rent * 12 ="));
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results.at(1).resultString, QStringLiteral("= 14400"));
    EXPECT_EQ(results.at(1).expression, QStringLiteral("monthly rent * 12"));

    // A use above the definition sees nothing; CR LF leaves an empty line between.
    results = parser.parseDocument(QStringLiteral("price * 3 =\r\nprice = 5\nprice * 3 ="));
    ASSERT_EQ(results.size(), 2);
    EXPECT_EQ(results.at(0).lineNumber, 2);
    EXPECT_EQ(results.at(1).lineNumber, 3);
    EXPECT_EQ(results.at(1).resultString, QStringLiteral("= 15"));
}

TEST_F(MathParser, ResultsNameWhatWasEvaluated)
{
    const auto left = parser.parseLine(QStringLiteral("  12*3 = 36"), 4);
    ASSERT_TRUE(left);
    EXPECT_EQ(*left, (MathResult{4, QStringLiteral("12*3"), QStringLiteral("= 36"), 36.0}));
    const auto marked = parser.parseLine(QStringLiteral("- [x]   2+2 = ="), 0);
    EXPECT_EQ(marked->expression, QStringLiteral("2+2"));
    // An assignment whose expression fails leaves the variables alone.
    parser.parseLine(QStringLiteral("broken = 1/0"), 1);
    EXPECT_FALSE(parser.variables().contains(QStringLiteral("broken")));
    parser.parseLine(QStringLiteral("My Var = 7"), 2);
    EXPECT_EQ(parser.variables().value(QStringLiteral("my_var")), 7);
}

TEST_F(MathParser, CleanValueIsTheBareAnswer)
{
    EXPECT_EQ((MathResult{0, {}, QStringLiteral("= \u20B98,350.00"), 8350}).cleanValue(), QStringLiteral("\u20B98,350.00"));
    EXPECT_EQ((MathResult{0, {}, QStringLiteral("= 4"), 4}).cleanValue(), QStringLiteral("4"));
}

TEST_F(MathParser, FormattingFollowsTheLocale)
{
    EXPECT_EQ(parser.formatResult(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(parser.formatResult(1.0 / 3.0), QStringLiteral("0.3333"));
    EXPECT_EQ(parser.formatResult(0.00125), QStringLiteral("0.0012")); // half to even
    EXPECT_EQ(parser.formatResult(0.00135), QStringLiteral("0.0014"));
    EXPECT_EQ(parser.formatResult(-12345.5), QStringLiteral("-12345.5"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(parser.formatResult(2.5), QStringLiteral("2,5"));
    EXPECT_EQ(parser.formatResult(-1.5e20), QStringLiteral("-1,5e+20"));
    EXPECT_EQ(currency.formatCurrency(1234.5, QStringLiteral("EUR")), QStringLiteral("\u20AC1.234,50"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

TEST_F(MathParser, TheSampleNoteAnswersItsOwnCalculations)
{
    const QString sample = QStringLiteral(
        "# Live Notes & Calculations\n\nKeep the work in focus.\nBring everything else to the edge.\n\n"
        "- [x] Review project roadmap\n- [ ] Send client proposal\n\n### Live Math & Variables\n"
        "team_lunch = 4 * 25 = 100\ntools = 20 + 12 + 8 = 40\nper_person = team_lunch / 4 = 25\n"
        "discount = 15% of team_lunch = 15\n\n### Live Currency Conversions\n"
        "flight = $450 in EUR = \u20AC414.00\nhotel = \u20AC180 to USD = $195.65\n"
        "client_budget = 1000 USD to INR = \u20B98,350.00\ntotal_usd = $250 + \u20AC100 = $358.70");
    const QList<MathResult> results = parser.parseDocument(sample);
    QStringList lines;
    for (const MathResult &result : results)
        lines.append(QStringLiteral("%1: %2 %3").arg(result.lineNumber).arg(result.expression, result.resultString));
    EXPECT_EQ(lines, QStringList({
                         "9: team_lunch = 4 * 25 = 100",
                         "10: tools = 20 + 12 + 8 = 40",
                         "11: per_person = team_lunch / 4 = 25",
                         "12: discount = 15% of team_lunch = 15",
                         QStringLiteral("15: flight = $450 in EUR = \u20AC414.00"),
                         "16: hotel = \u20AC180 to USD = $195.65",
                         QStringLiteral("17: client_budget = 1000 USD to INR = \u20B983,500.00"),
                         "18: total_usd = $250 + \u20AC100 = $358.70",
                     }));
    EXPECT_EQ(InlineMathParser::splitLines(sample).size(), 19);
}

// Reading a note again reuses what unchanged lines gave; the answers must be
// exactly those of a parser reading the note for the first time.
TEST_F(MathParser, RereadingAnEditedNoteGivesWhatAFreshReadGives)
{
    const QStringList pool = {
        QStringLiteral("rent = 1200"), QStringLiteral("rent = 900"), QStringLiteral("rent * 12 ="),
        QStringLiteral("bonus = rent / 2"), QStringLiteral("bonus + rent ="), QStringLiteral("15% of rent"),
        QStringLiteral("$250 + \u20AC100 ="), QStringLiteral("100 usd to eur"), QStringLiteral("# Budget"),
        QStringLiteral("tools = 20 + 12 + 8 = 40"), QStringLiteral("tools * 2 ="), QStringLiteral(""),
        QStringLiteral("x = bonus - tools"), QStringLiteral("x ="), QStringLiteral("- [ ] x * 3 ="),
    };
    std::mt19937 random(42);
    std::uniform_int_distribution<int> pick(0, int(pool.size()) - 1);
    QStringList note;
    for (int i = 0; i < 12; ++i)
        note.append(pool.at(pick(random)));
    for (int edit = 0; edit < 300; ++edit) {
        note[pick(random) % note.size()] = pool.at(pick(random));
        const QString text = note.join(QLatin1Char('\n'));
        InlineMathParser fresh(currency);
        ASSERT_EQ(parser.parseDocument(text), fresh.parseDocument(text)) << text.toStdString();
        ASSERT_EQ(parser.variables(), fresh.variables());
    }
}

TEST_F(MathParser, ALocaleChangeIsNotAnsweredFromEarlierReads)
{
    EXPECT_EQ(single(QStringLiteral("10 / 4 =")), QStringLiteral("= 2.5"));
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(single(QStringLiteral("10 / 4 =")), QStringLiteral("= 2,5"));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

TEST(AnswerText, RecognisesNumbersWithCurrencyAndPercentMarks)
{
    for (const char16_t *answer : {u" \u20AC414.00", u" \u20B98,350.00", u" 15", u" 12.5%", u"CHF 1,234.50", u"-3"})
        EXPECT_TRUE(InlineMathParser::isAnswerString(QString::fromUtf16(answer))) << QString::fromUtf16(answer).toStdString();
    for (const char16_t *text : {u" 4 apples", u"", u" $", u" price * 2", u"1.2.3"})
        EXPECT_FALSE(InlineMathParser::isAnswerString(QString::fromUtf16(text))) << QString::fromUtf16(text).toStdString();
}

} // namespace
