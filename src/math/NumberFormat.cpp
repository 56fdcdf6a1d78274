#include "math/NumberFormat.h"

#include <QLocale>

#include <algorithm>
#include <charconv>
#include <string>
#include <string_view>
#include <cmath>

namespace {

struct Decimal
{
    bool negative = false;
    std::string integerDigits;  // at least "0"
    std::string fractionDigits; // exactly the asked count
};

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
    bool roundUp = false;
    if (!dropped.empty()) {
        const char first = dropped.front();
        const bool restNonZero = dropped.find_first_not_of('0', 1) != std::string_view::npos;
        const bool lastKeptOdd = (number.back() - '0') % 2 == 1;
        roundUp = first > '5' || (first == '5' && (restNonZero || lastKeptOdd));
    }
    if (roundUp) {
        std::size_t i = number.size();
        while (i > 0 && number[i - 1] == '9')
            number[--i] = '0';
        if (i == 0)
            number.insert(0, 1, '1');
        else
            ++number[i - 1];
    }
    Decimal decimal;
    decimal.integerDigits = number.substr(0, number.size() - std::size_t(digits));
    decimal.fractionDigits = number.substr(number.size() - std::size_t(digits));
    decimal.negative = std::signbit(value) && number.find_first_not_of('0') != std::string::npos;
    return decimal;
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
    while (!decimal.fractionDigits.empty() && decimal.fractionDigits.back() == '0')
        decimal.fractionDigits.pop_back();
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
    const QLocale locale;
    QString text = decimal.negative ? locale.negativeSign() : QString();
    text += groupDigits(decimal.integerDigits, locale.groupSeparator());
    if (fractionDigits > 0)
        text += locale.decimalPoint() + QLatin1String(decimal.fractionDigits.data(), qsizetype(decimal.fractionDigits.size()));
    return text;
}

} // namespace NumberFormat
