#pragma once

#include <QString>

// A value as a note holds it: a number with what it counts, a currency code
// ("EUR") or a unit symbol of UnitTable ("km"); a plain number has neither.
struct MathQuantity
{
    double value = 0;
    QString unit;

    bool operator==(const MathQuantity &) const = default;
};
