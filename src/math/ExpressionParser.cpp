#include "math/ExpressionParser.h"

#include <cmath>

namespace {
// Nesting beyond this (parentheses, signs, powers, functions) gives no result
// instead of exhausting the stack; no note nests anywhere near it.
constexpr int maximumDepth = 400;

class DepthGuard
{
public:
    explicit DepthGuard(int &depth) : m_depth(++depth) {}
    ~DepthGuard() { --m_depth; }
    bool tooDeep() const { return m_depth > maximumDepth; }

private:
    int &m_depth;
};

std::optional<double> applyFunction(const QString &name, double x)
{
    if (name == QLatin1String("sqrt")) return std::sqrt(x);
    if (name == QLatin1String("abs")) return std::fabs(x);
    if (name == QLatin1String("round")) return std::round(x);
    if (name == QLatin1String("ceil")) return std::ceil(x);
    if (name == QLatin1String("floor")) return std::floor(x);
    if (name == QLatin1String("sin")) return std::sin(x);
    if (name == QLatin1String("cos")) return std::cos(x);
    if (name == QLatin1String("tan")) return std::tan(x);
    if (name == QLatin1String("log")) return std::log(x);
    return std::nullopt;
}
} // namespace

std::optional<double> ExpressionParser::evaluate(const QList<MathToken> &tokens)
{
    if (tokens.isEmpty())
        return std::nullopt;
    ExpressionParser parser(tokens);
    const auto value = parser.parseExpression();
    if (!value || parser.m_position != tokens.size())
        return std::nullopt;
    return value->number;
}

std::optional<ExpressionParser::Value> ExpressionParser::evaluateMeasured(const QList<MathToken> &tokens)
{
    if (tokens.isEmpty())
        return std::nullopt;
    ExpressionParser parser(tokens);
    parser.m_measuring = true;
    const auto value = parser.parseExpression();
    if (!value || parser.m_position != tokens.size())
        return std::nullopt;
    return value;
}

bool ExpressionParser::nextIs(MathToken::Kind kind) const
{
    return m_position < m_tokens.size() && m_tokens.at(m_position).kind == kind;
}

std::optional<ExpressionParser::Value> ExpressionParser::parseExpression()
{
    auto value = parseTerm();
    while (value && (nextIs(MathToken::Kind::Plus) || nextIs(MathToken::Kind::Minus))) {
        const bool add = m_tokens.at(m_position++).kind == MathToken::Kind::Plus;
        const auto right = parseTerm();
        if (!right)
            return std::nullopt;
        value->number = add ? value->number + right->number : value->number - right->number;
        value->measured = value->measured || right->measured;
    }
    return value;
}

std::optional<ExpressionParser::Value> ExpressionParser::parseTerm()
{
    auto value = parseFactor();
    while (value && (nextIs(MathToken::Kind::Multiply) || nextIs(MathToken::Kind::Divide))) {
        const bool multiply = m_tokens.at(m_position++).kind == MathToken::Kind::Multiply;
        const auto right = parseFactor();
        if (!right || (!multiply && right->number == 0.0))
            return std::nullopt;
        if (m_measuring && right->measured && (multiply || !value->measured))
            return std::nullopt;
        value->number = multiply ? value->number * right->number : value->number / right->number;
        value->measured = right->measured ? false : value->measured;
    }
    return value;
}

std::optional<ExpressionParser::Value> ExpressionParser::parseFactor()
{
    const DepthGuard guard(m_depth);
    if (guard.tooDeep())
        return std::nullopt;
    const auto base = parsePrimary();
    if (!base || !nextIs(MathToken::Kind::Power))
        return base;
    ++m_position;
    const auto exponent = parseFactor();
    if (!exponent || (m_measuring && (base->measured || exponent->measured)))
        return std::nullopt;
    return Value{std::pow(base->number, exponent->number), false};
}

std::optional<ExpressionParser::Value> ExpressionParser::parsePrimary()
{
    const DepthGuard guard(m_depth);
    if (guard.tooDeep() || m_position >= m_tokens.size())
        return std::nullopt;
    const MathToken &token = m_tokens.at(m_position++);
    switch (token.kind) {
    case MathToken::Kind::Number:
        return Value{token.number, !token.unit.isEmpty()};
    case MathToken::Kind::Plus:
        return parsePrimary();
    case MathToken::Kind::Minus: {
        auto value = parsePrimary();
        if (value)
            value->number = -value->number;
        return value;
    }
    case MathToken::Kind::LParen: {
        const auto value = parseExpression();
        if (!value || !nextIs(MathToken::Kind::RParen))
            return std::nullopt;
        ++m_position;
        return value;
    }
    case MathToken::Kind::Function: {
        if (!nextIs(MathToken::Kind::LParen))
            return std::nullopt;
        ++m_position;
        const auto argument = parseExpression();
        if (!argument || !nextIs(MathToken::Kind::RParen))
            return std::nullopt;
        ++m_position;
        const auto result = applyFunction(token.function, argument->number);
        if (!result)
            return std::nullopt;
        return Value{*result, argument->measured};
    }
    case MathToken::Kind::Multiply:
    case MathToken::Kind::Divide:
    case MathToken::Kind::Power:
    case MathToken::Kind::RParen:
        return std::nullopt;
    }
    return std::nullopt;
}
