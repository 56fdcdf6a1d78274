#pragma once

#include "math/MathToken.h"

#include <QList>

#include <optional>

// Computes an expression while parsing it by recursive descent:
//   expression := term (("+" | "-") term)*
//   term       := factor (("*" | "/") factor)*
//   factor     := primary ("^" factor)?          right-associative
//   primary    := number | ("+" | "-") primary | "(" expression ")" | function "(" expression ")"
// Numbers with a unit are measures: they add to anything, and multiply and
// divide only by plain numbers, except that a measure divided by a measure
// is a plain ratio. The caller has brought all of them to one unit.
class ExpressionParser final
{
public:
    struct Value
    {
        double number = 0;
        bool measured = false;
    };

    explicit ExpressionParser(const QList<MathToken> &tokens) : m_tokens(tokens) {}

    // The value of the whole token list; nothing when any part fails or a
    // token is left unread. Units are not looked at.
    static std::optional<double> evaluate(const QList<MathToken> &tokens);
    // The same, keeping to the rules for measures.
    static std::optional<Value> evaluateMeasured(const QList<MathToken> &tokens);

private:
    std::optional<Value> parseExpression();
    std::optional<Value> parseTerm();
    std::optional<Value> parseFactor();
    std::optional<Value> parsePrimary();
    bool nextIs(MathToken::Kind kind) const;

    const QList<MathToken> &m_tokens;
    bool m_measuring = false;
    qsizetype m_position = 0;
    int m_depth = 0;
};
