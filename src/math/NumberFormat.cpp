#include "math/NumberFormat.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <cmath>
#include <cstdlib>

namespace {

struct Decimal
{
    bool negative = false;
    std::string integerDigits;  // at least "0"
    std::string fractionDigits; // exactly the asked count
};

// Half to even, by the digits: whether `kept` goes up by one when `dropped`
// follows it.
bool roundsUp(std::string_view kept, std::string_view dropped)
{
    if (dropped.empty())
        return false;
    const char first = dropped.front();
    const bool restNonZero = dropped.find_first_not_of('0', 1) != std::string_view::npos;
    const bool lastKeptOdd = !kept.empty() && (kept.back() - '0') % 2 == 1;
    return first > '5' || (first == '5' && (restNonZero || lastKeptOdd));
}

// Adds one at the last digit; a carry out of the first one adds a digit in front.
void addOne(std::string &digits)
{
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9')
        digits[--i] = '0';
    if (i == 0)
        digits.insert(0, 1, '1');
    else
        ++digits[i - 1];
}

// Rounds the shortest decimal form of `value` to `digits` fraction digits,
// half to even, so that 2.5 and 0.125 round the way people expect from their
// digits rather than from the binary value behind them.
Decimal roundHalfEven(double value, int digits)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    const std::string_view text(buffer, std::size_t(result.ptr - buffer));
    const std::size_t point = text.find('.');
    const std::string_view integer = text.substr(0, point);
    const std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);

    std::string number(integer);
    number += fraction.substr(0, std::size_t(digits));
    number.append(std::size_t(digits) - std::min(fraction.size(), std::size_t(digits)), '0');
    const std::string_view dropped = fraction.size() > std::size_t(digits) ? fraction.substr(std::size_t(digits)) : std::string_view();
    if (roundsUp(number, dropped))
        addOne(number);
    Decimal decimal;
    decimal.integerDigits = number.substr(0, number.size() - std::size_t(digits));
    decimal.fractionDigits = number.substr(number.size() - std::size_t(digits));
    decimal.negative = std::signbit(value) && number.find_first_not_of('0') != std::string::npos;
    return decimal;
}

void dropTrailingZeros(Decimal &decimal)
{
    while (!decimal.fractionDigits.empty() && decimal.fractionDigits.back() == '0')
        decimal.fractionDigits.pop_back();
}

// Every digit written counts from the first non-zero one on: a whole number's
// trailing zeros claim to be exact as much as any other digit.
int significantDigits(const std::string &digits)
{
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? 0 : int(digits.size() - first);
}

int significantDigits(const Decimal &decimal)
{
    return significantDigits(decimal.integerDigits + decimal.fractionDigits);
}

QString nonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-\u221E") : QStringLiteral("\u221E");
}

QString groupDigits(const std::string &digits, const QString &separator)
{
    QString grouped;
    const std::size_t count = digits.size();
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0)
            grouped += separator;
        grouped += QLatin1Char(digits[i]);
    }
    return grouped;
}

} // namespace

namespace NumberFormat {

QString plain(double value, int maxFractionDigits)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    Decimal decimal = roundHalfEven(value, maxFractionDigits);
    dropTrailingZeros(decimal);
    if (significantDigits(decimal) > maxSignificantDigits) {
        // Fewer fraction digits where the whole part leaves room for some.
        const int room = maxSignificantDigits - significantDigits(decimal.integerDigits);
        if (room < 0)
            return scientific(value);
        decimal = roundHalfEven(value, room);
        dropTrailingZeros(decimal);
        // Rounding up may have carried into one more whole digit.
        if (significantDigits(decimal) > maxSignificantDigits)
            return scientific(value);
    }
    const QLocale locale;
    QString text = decimal.negative ? locale.negativeSign() : QString();
    text += QLatin1String(decimal.integerDigits.data(), qsizetype(decimal.integerDigits.size()));
    if (!decimal.fractionDigits.empty())
        text += locale.decimalPoint() + QLatin1String(decimal.fractionDigits.data(), qsizetype(decimal.fractionDigits.size()));
    return text;
}

QString grouped(double value, int fractionDigits)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    const Decimal decimal = roundHalfEven(value, fractionDigits);
    if (significantDigits(decimal) > maxSignificantDigits)
        return scientific(value);
    const QLocale locale;
    QString text = decimal.negative ? locale.negativeSign() : QString();
    text += groupDigits(decimal.integerDigits, locale.groupSeparator());
    if (fractionDigits > 0)
        text += locale.decimalPoint() + QLatin1String(decimal.fractionDigits.data(), qsizetype(decimal.fractionDigits.size()));
    return text;
}

QString whole(double value)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    // 10^15 is the first whole number of sixteen digits.
    if (std::fabs(std::round(value)) >= 1e15)
        return scientific(value);
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 0);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString scientific(double value)
{
    if (!std::isfinite(value))
        return nonFinite(value);
    // The shortest form: "9.9999999998e+21", "1.2345678901234567e+16".
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific);
    const std::string_view text(buffer, std::size_t(result.ptr - buffer));
    const std::size_t e = text.find('e');
    std::string digits;
    for (const char c : text.substr(0, e)) {
        if (c != '.')
            digits += c;
    }
    int exponent = 0;
    const std::string_view exponentText = text.substr(e + 1);
    std::from_chars(exponentText.data() + (exponentText.front() == '+'), exponentText.data() + exponentText.size(), exponent);

    if (digits.size() > std::size_t(maxSignificantDigits)) {
        const std::string dropped = digits.substr(std::size_t(maxSignificantDigits));
        digits.resize(std::size_t(maxSignificantDigits));
        if (roundsUp(digits, dropped))
            addOne(digits);
        // 9.99…9 rounded up to 10: one place further.
        if (digits.size() > std::size_t(maxSignificantDigits)) {
            digits.pop_back();
            ++exponent;
        }
    }
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    const QLocale locale;
    QString written = std::signbit(value) ? locale.negativeSign() : QString();
    written += QLatin1Char(digits.front());
    if (digits.size() > 1)
        written += locale.decimalPoint() + QLatin1String(digits.data() + 1, qsizetype(digits.size() - 1));
    written += (exponent < 0 ? QStringLiteral("e-") : QStringLiteral("e+")) + QString::number(std::abs(exponent));
    return written;
}

} // namespace NumberFormat
