#pragma once

#include <QString>

#include <optional>

// The answer of one line of a note.
struct MathResult
{
    int lineNumber = 0;
    // What was evaluated: the line without list marker and trailing "=".
    QString expression;
    // "= " followed by the formatted value, as in "= 42" or "= ₹8,350.00".
    QString resultString;
    std::optional<double> numericValue;
    // What the answer counts: a currency code ("EUR") or a unit symbol ("km"); empty for a plain number.
    QString unit;

    // The bare formatted value, as inserted after a typed "=".
    QString cleanValue() const;

    bool operator==(const MathResult &) const = default;
};
