#include "math/ExpressionParser.h"
#include "math/MathLexer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

std::optional<double> evaluate(const QString &text)
{
    const MathVariables variables = {{QStringLiteral("monthly_rent"), {1200, {}}}, {QStringLiteral("pi"), {3, {}}}};
    const auto tokens = MathLexer::tokenize(text, variables);
    return tokens ? ExpressionParser::evaluate(*tokens) : std::nullopt;
}

struct EvaluationCase { const char *name; const char16_t *input; std::optional<double> expected; };

class Evaluator : public ::testing::TestWithParam<EvaluationCase> {};

TEST_P(Evaluator, GivesTheTablesResult)
{
    const auto result = evaluate(QString::fromUtf16(GetParam().input));
    ASSERT_EQ(result.has_value(), GetParam().expected.has_value()) << (result ? *result : 0);
    if (result) {
        EXPECT_DOUBLE_EQ(*result, *GetParam().expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Evaluator,
    ::testing::Values(
        EvaluationCase{"precedence", u"2+3*4", 14}, EvaluationCase{"parentheses", u"(2+3)*4", 20},
        EvaluationCase{"power_is_right_associative", u"2^3^2", 512},
        EvaluationCase{"sign_binds_before_power", u"-2^2", 4}, EvaluationCase{"negative_exponent", u"2^-2", 0.25},
        EvaluationCase{"negated_power", u"-(2^2)", -4}, EvaluationCase{"double_minus", u"--5", 5},
        EvaluationCase{"left_to_right_subtraction", u"10-3-2", 5}, EvaluationCase{"left_to_right_division", u"8/4/2", 1},
        EvaluationCase{"division_by_zero", u"7/0", std::nullopt},
        EvaluationCase{"division_by_computed_zero", u"7/(1-1)", std::nullopt},
        EvaluationCase{"division_by_negative_zero", u"7/-0", std::nullopt}, EvaluationCase{"small_divisor", u"7/0.0001", 70000},
        EvaluationCase{"two_numbers", u"2 3", std::nullopt}, EvaluationCase{"number_then_name", u"2x", std::nullopt},
        EvaluationCase{"no_implicit_multiplication", u"3(4)", std::nullopt},
        EvaluationCase{"missing_closing_parenthesis", u"(1+2", std::nullopt},
        EvaluationCase{"extra_closing_parenthesis", u"(1+2))", std::nullopt},
        EvaluationCase{"sqrt", u"sqrt(16)", 4}, EvaluationCase{"function_names_ignore_case", u"SQRT(16)", 4},
        EvaluationCase{"function_with_space_before_parenthesis", u"sqrt (9)", 3},
        EvaluationCase{"function_without_parenthesis", u"sqrt 16", std::nullopt},
        EvaluationCase{"two_arguments", u"sqrt(4,5)", std::nullopt},
        EvaluationCase{"round_half_up", u"round(2.5)", 3}, EvaluationCase{"round_half_away_from_zero", u"round(-2.5)", -3},
        EvaluationCase{"abs", u"abs(-3)", 3}, EvaluationCase{"log_of_e", u"log(e)", 1}, EvaluationCase{"cos", u"cos(0)", 1},
        EvaluationCase{"ceil_and_floor", u"ceil(1.2)+floor(1.8)", 3},
        EvaluationCase{"constant_shadows_variable", u"pi*2", 6.283185307179586},
        EvaluationCase{"name_with_inner_space", u"monthly rent * 12", 14400},
        EvaluationCase{"name_ignores_case", u"Monthly Rent*12", 14400},
        EvaluationCase{"name_with_digits", u"monthly rent12", std::nullopt},
        EvaluationCase{"grouping_comma", u"1,000", std::nullopt},
        EvaluationCase{"leading_points", u".5+.5", 1}, EvaluationCase{"trailing_point", u"5.*2", 10},
        EvaluationCase{"two_points", u"1.2.3", std::nullopt}, EvaluationCase{"lone_point", u".", std::nullopt},
        EvaluationCase{"exponent_letters_are_a_name", u"2e5", std::nullopt},
        EvaluationCase{"empty", u"", std::nullopt}, EvaluationCase{"blank", u" \t\n", std::nullopt},
        EvaluationCase{"unicode_whitespace_is_skipped", u"2\u00A0+\u20033", 5},
        EvaluationCase{"arabic_indic_digits", u"\u0663+1", std::nullopt},
        EvaluationCase{"vulgar_fraction", u"\u00BD+1", std::nullopt},
        EvaluationCase{"typographic_times", u"2\u00D73", std::nullopt},
        EvaluationCase{"percent_is_not_lexed", u"50%", std::nullopt},
        EvaluationCase{"unary_plus", u"+4*+2", 8}, EvaluationCase{"operator_without_operand", u"2*", std::nullopt}), rowName);

TEST(Evaluator, NonFiniteResultsAreResultsAndDeepNestingGivesNoResultInsteadOfCrashing)
{
    EXPECT_TRUE(std::isnan(*evaluate(QStringLiteral("sqrt(-1)"))));
    EXPECT_EQ(*evaluate(QStringLiteral("log(0)")), -INFINITY);

    for (const char *open : {"(", "-", "sqrt("}) {
        const QString deep = QString::fromLatin1(open).repeated(100000) + QStringLiteral("1");
        EXPECT_FALSE(evaluate(deep)) << open;
    }
    EXPECT_FALSE(evaluate(QStringLiteral("2^").repeated(100000) + QStringLiteral("2")));
    // Nesting a person would write still works.
    EXPECT_EQ(evaluate(QStringLiteral("(").repeated(100) + QStringLiteral("7") + QStringLiteral(")").repeated(100)), 7);
}

} // namespace
