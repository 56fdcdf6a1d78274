#pragma once

#include <QString>

// Decimal formatting of results in the user's locale, rounding half to even
// at the last kept digit of the number's shortest decimal form.
namespace NumberFormat {

// At most `maxFractionDigits` fraction digits, trailing zeros dropped, no grouping.
QString plain(double value, int maxFractionDigits);
// Exactly `fractionDigits` fraction digits, with grouping.
QString grouped(double value, int fractionDigits);

} // namespace NumberFormat
