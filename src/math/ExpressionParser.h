#pragma once

#include "math/MathToken.h"

#include <QList>

#include <optional>

// Computes an expression while parsing it by recursive descent:
//   expression := term (("+" | "-") term)*
//   term       := factor (("*" | "/") factor)*
//   factor     := primary ("^" factor)?          right-associative
//   primary    := number | ("+" | "-") primary | "(" expression ")" | function "(" expression ")"
class ExpressionParser final
{
public:
    explicit ExpressionParser(const QList<MathToken> &tokens) : m_tokens(tokens) {}

    // The value of the whole token list; nothing when any part fails or a
    // token is left unread.
    static std::optional<double> evaluate(const QList<MathToken> &tokens);

    std::optional<double> parseExpression();
    std::optional<double> parseTerm();
    std::optional<double> parseFactor();
    std::optional<double> parsePrimary();

    qsizetype position() const { return m_position; }

private:
    bool nextIs(MathToken::Kind kind) const;

    const QList<MathToken> &m_tokens;
    qsizetype m_position = 0;
    int m_depth = 0;
};
