#pragma once

#include <QString>

// One lexical unit of an arithmetic expression. Names are already resolved:
// constants and variables arrive as numbers, amounts with what they count.
struct MathToken
{
    enum class Kind { Number, Function, Plus, Minus, Multiply, Divide, Power, LParen, RParen };

    Kind kind;
    double number = 0;
    QString function; // lower-case name, for Kind::Function
    QString unit;     // for Kind::Number: a currency code or unit symbol, as MathQuantity has it

    static MathToken ofNumber(double value, const QString &unit = {}) { return {Kind::Number, value, {}, unit}; }
    static MathToken ofFunction(const QString &name) { return {Kind::Function, 0, name, {}}; }
    static MathToken of(Kind kind) { return {kind, 0, {}, {}}; }
};
