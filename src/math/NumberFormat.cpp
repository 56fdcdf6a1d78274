#include "math/NumberFormat.h"

#include <QLocale>

#include <charconv>
#include <cmath>

namespace {

struct Decimal
{
    bool negative = false;
    QByteArray integerDigits;  // at least "0"
    QByteArray fractionDigits; // exactly the asked count
};

// Rounds the shortest decimal form of `value` to `digits` fraction digits,
// half to even, so that 2.5 and 0.125 round the way people expect from their
// digits rather than from the binary value behind them.
Decimal roundHalfEven(double value, int digits)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    QByteArray text(buffer, int(result.ptr - buffer));
    const qsizetype point = text.indexOf('.');
    QByteArray integer = point < 0 ? text : text.left(point);
    QByteArray fraction = point < 0 ? QByteArray() : text.mid(point + 1);

    const QByteArray kept = fraction.left(digits).leftJustified(digits, '0');
    const QByteArray dropped = fraction.mid(digits);
    QByteArray number = integer + kept;
    bool roundUp = false;
    if (!dropped.isEmpty()) {
        const char first = dropped.at(0);
        const bool restNonZero = dropped.mid(1).count('0') != dropped.size() - 1;
        const bool lastKeptOdd = (number.at(number.size() - 1) - '0') % 2 == 1;
        roundUp = first > '5' || (first == '5' && (restNonZero || lastKeptOdd));
    }
    if (roundUp) {
        qsizetype i = number.size() - 1;
        while (i >= 0 && number.at(i) == '9')
            number[i--] = '0';
        if (i < 0)
            number.prepend('1');
        else
            number[i] = char(number.at(i) + 1);
    }
    Decimal decimal;
    decimal.integerDigits = number.left(number.size() - digits);
    decimal.fractionDigits = number.right(digits);
    const bool allZero = number.count('0') == number.size();
    decimal.negative = std::signbit(value) && !allZero;
    return decimal;
}

QString nonFinite(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NaN");
    return value < 0 ? QStringLiteral("-\u221E") : QStringLiteral("\u221E");
}

QString groupDigits(const QByteArray &digits, const QString &separator)
{
    QString grouped;
    const qsizetype count = digits.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0)
            grouped += separator;
        grouped += QLatin1Char(digits.at(i));
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
    while (decimal.fractionDigits.endsWith('0'))
        decimal.fractionDigits.chop(1);
    if (decimal.fractionDigits.isEmpty() && decimal.integerDigits == "0")
        decimal.negative = false;
    const QLocale locale;
    QString text = decimal.negative ? locale.negativeSign() : QString();
    text += QString::fromLatin1(decimal.integerDigits);
    if (!decimal.fractionDigits.isEmpty())
        text += locale.decimalPoint() + QString::fromLatin1(decimal.fractionDigits);
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
        text += locale.decimalPoint() + QString::fromLatin1(decimal.fractionDigits);
    return text;
}

} // namespace NumberFormat
