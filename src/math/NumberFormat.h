#pragma once

#include <QString>

// Decimal formatting of results in the user's locale, rounding half to even
// at the last kept digit of the number's shortest decimal form. A double
// holds only about 15 decimal digits for certain, so no answer shows more
// than that: beyond them it is written in scientific notation
// ("9.9999999998e+21"), never with digits the arithmetic does not have.
namespace NumberFormat {

constexpr int maxSignificantDigits = 15;

// At most `maxFractionDigits` fraction digits (fewer where the significant
// digits run out), trailing zeros dropped, no grouping.
QString plain(double value, int maxFractionDigits);
// Exactly `fractionDigits` fraction digits, with grouping; scientific when
// that needs more significant digits than there are.
QString grouped(double value, int fractionDigits);
// The nearest whole number with "-" for any negative value (-0 too), or
// scientific from 10^15 on.
QString whole(double value);
// Scientific notation, at most 15 significant digits, trailing zeros dropped.
QString scientific(double value);

} // namespace NumberFormat
