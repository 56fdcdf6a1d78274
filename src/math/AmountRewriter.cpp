#include "math/AmountRewriter.h"

#include <QList>

#include <charconv>
#include <string>

namespace {

const QString currencySigns = QStringLiteral("$\u20AC\u00A3\u20B9\u00A5");

bool isDigit(const QString &text, qsizetype i)
{
    return i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9');
}

// \s with Unicode properties.
bool isSpace(const QString &text, qsizetype i)
{
    return i < text.size() && text.at(i).isSpace();
}

qsizetype skipSpaces(const QString &text, qsizetype i)
{
    while (isSpace(text, i))
        ++i;
    return i;
}

// [0-9]+(?:\.[0-9]+)? at i: the end of the number, or -1.
qsizetype numberEnd(const QString &text, qsizetype i)
{
    if (!isDigit(text, i))
        return -1;
    while (isDigit(text, i))
        ++i;
    if (i < text.size() && text.at(i) == QLatin1Char('.') && isDigit(text, i + 1)) {
        i += 1;
        while (isDigit(text, i))
            ++i;
    }
    return i;
}

// [0-9]+(?:\.[0-9]+)?\s*% at i: the position after "%", or -1.
qsizetype percentEnd(const QString &text, qsizetype i)
{
    const qsizetype number = numberEnd(text, i);
    if (number < 0)
        return -1;
    const qsizetype sign = skipSpaces(text, number);
    return sign < text.size() && text.at(sign) == QLatin1Char('%') ? sign + 1 : -1;
}

// Where to look next when no match starts at i. When none starts at a digit,
// none starts at the later digits of its run either: from each of them the
// number ends at the same place and the same text follows. Skipping the run
// keeps a long run of digits from being read again from each of its digits.
qsizetype nextStart(const QString &text, qsizetype i)
{
    if (!isDigit(text, i))
        return i + 1;
    while (isDigit(text, i))
        ++i;
    return i;
}

bool isTailCharacter(const QString &text, qsizetype i)
{
    if (i >= text.size())
        return false;
    const char16_t c = text.at(i).unicode();
    // Matched without regard to case, [a-zA-Z] also takes the Kelvin sign and the long s.
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '.'
        || c == 0x212A || c == 0x017F || text.at(i).isSpace();
}

struct Replacement
{
    qsizetype start;
    qsizetype end;
    QString text;
};

QString applyReplacements(const QString &text, const QList<Replacement> &replacements)
{
    QString result;
    qsizetype copied = 0;
    for (const Replacement &r : replacements) {
        result += QStringView(text).sliced(copied, r.start - copied);
        result += r.text;
        copied = r.end;
    }
    result += QStringView(text).sliced(copied);
    return result;
}

} // namespace

namespace AmountRewriter {

QList<CurrencyAmount> currencyAmounts(const QString &text)
{
    QList<CurrencyAmount> amounts;
    qsizetype i = 0;
    while (i < text.size()) {
        if (!currencySigns.contains(text.at(i))) {
            ++i;
            continue;
        }
        const qsizetype digits = skipSpaces(text, i + 1);
        const qsizetype end = numberEnd(text, digits);
        if (end < 0) {
            ++i;
            continue;
        }
        // Only ASCII digits and one point: from_chars reads it exactly as a decimal number.
        const std::string number = QStringView(text).sliced(digits, end - digits).toLatin1().toStdString();
        double amount = 0;
        std::from_chars(number.data(), number.data() + number.size(), amount);
        amounts.append({i, end - i, text.at(i), amount});
        i = end;
    }
    return amounts;
}

QString replaceCurrencyAmounts(const QString &text, const QList<CurrencyAmount> &amounts,
                               const std::function<QString(const CurrencyAmount &)> &replacement)
{
    QList<Replacement> replacements;
    replacements.reserve(amounts.size());
    for (const CurrencyAmount &amount : amounts)
        replacements.append({amount.start, amount.start + amount.length, replacement(amount)});
    return applyReplacements(text, replacements);
}

QString rewritePercentOf(const QString &text)
{
    QList<Replacement> replacements;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype afterSign = percentEnd(text, i);
        // \s+of\s+ then the greedy tail; the tail may take back the last space.
        qsizetype of = afterSign < 0 ? -1 : skipSpaces(text, afterSign);
        const bool hasOf = of > afterSign && of + 1 < text.size()
            && text.at(of).toLower() == QLatin1Char('o') && text.at(of + 1).toLower() == QLatin1Char('f');
        const qsizetype tailStart = hasOf ? skipSpaces(text, of + 2) : -1;
        const bool spacesBeforeTail = hasOf && tailStart > of + 2;
        qsizetype tailEnd = tailStart;
        while (spacesBeforeTail && isTailCharacter(text, tailEnd))
            ++tailEnd;
        const bool tailFound = tailEnd > tailStart || (spacesBeforeTail && tailStart - (of + 2) >= 2);
        if (!spacesBeforeTail || !tailFound) {
            i = nextStart(text, i);
            continue;
        }
        // With no tail characters, the last of two or more spaces is the tail.
        const qsizetype groupStart = tailEnd > tailStart ? tailStart : tailStart - 1;
        const QString number = text.mid(i, numberEnd(text, i) - i);
        const QString tail = text.mid(groupStart, tailEnd - groupStart);
        replacements.append({i, tailEnd, QStringLiteral("((%1 / 100.0) * %2)").arg(number, tail)});
        i = tailEnd;
    }
    return replacements.isEmpty() ? text : applyReplacements(text, replacements);
}

QString rewritePercent(const QString &text)
{
    QList<Replacement> replacements;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype end = percentEnd(text, i);
        if (end < 0) {
            i = nextStart(text, i);
            continue;
        }
        const QString number = text.mid(i, numberEnd(text, i) - i);
        replacements.append({i, end, QStringLiteral("(%1 / 100.0)").arg(number)});
        i = end;
    }
    return replacements.isEmpty() ? text : applyReplacements(text, replacements);
}

} // namespace AmountRewriter
