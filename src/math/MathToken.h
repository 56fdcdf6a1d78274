#pragma once

#include <QString>

// One lexical unit of an arithmetic expression. Names are already resolved:
// constants and variables arrive as numbers.
struct MathToken
{
    enum class Kind { Number, Function, Plus, Minus, Multiply, Divide, Power, LParen, RParen };

    Kind kind;
    double number = 0;
    QString function; // lower-case name, for Kind::Function

    static MathToken ofNumber(double value) { return {Kind::Number, value, {}}; }
    static MathToken ofFunction(const QString &name) { return {Kind::Function, 0, name}; }
    static MathToken of(Kind kind) { return {kind, 0, {}}; }
};
