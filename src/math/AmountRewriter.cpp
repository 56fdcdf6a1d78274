#include "math/AmountRewriter.h"

#include <QList>

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
    // Amounts ("15% of $200", "20% off 80 km") belong to the tail too.
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == '.'
        || c == 0x212A || c == 0x017F || c == 0x00B0 || currencySigns.contains(text.at(i)) || text.at(i).isSpace();
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

namespace {

QString rewritePercentPhrase(const QString &text, QLatin1String keyword, const QString &replacement)
{
    QList<Replacement> replacements;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype afterSign = percentEnd(text, i);
        // \s+of\s+ then the greedy tail; the tail may take back the last space.
        qsizetype of = afterSign < 0 ? -1 : skipSpaces(text, afterSign);
        const qsizetype afterKeyword = of + keyword.size();
        const bool hasOf = of > afterSign && afterKeyword <= text.size()
            && QStringView(text).sliced(of, keyword.size()).compare(keyword, Qt::CaseInsensitive) == 0;
        const qsizetype tailStart = hasOf ? skipSpaces(text, afterKeyword) : -1;
        const bool spacesBeforeTail = hasOf && tailStart > afterKeyword;
        qsizetype tailEnd = tailStart;
        while (spacesBeforeTail && isTailCharacter(text, tailEnd))
            ++tailEnd;
        const bool tailFound = tailEnd > tailStart || (spacesBeforeTail && tailStart - afterKeyword >= 2);
        if (!spacesBeforeTail || !tailFound) {
            i = nextStart(text, i);
            continue;
        }
        // With no tail characters, the last of two or more spaces is the tail.
        const qsizetype groupStart = tailEnd > tailStart ? tailStart : tailStart - 1;
        const QString number = text.mid(i, numberEnd(text, i) - i);
        const QString tail = text.mid(groupStart, tailEnd - groupStart);
        replacements.append({i, tailEnd, replacement.arg(number, tail)});
        i = tailEnd;
    }
    return replacements.isEmpty() ? text : applyReplacements(text, replacements);
}

} // namespace


QString rewritePercentOf(const QString &text)
{
    return rewritePercentPhrase(text, QLatin1String("of"), QStringLiteral("((%1 / 100.0) * %2)"));
}

QString rewritePercentOffAndOn(const QString &text)
{
    const QString off = rewritePercentPhrase(text, QLatin1String("off"), QStringLiteral("((1 - %1 / 100.0) * %2)"));
    return rewritePercentPhrase(off, QLatin1String("on"), QStringLiteral("((1 + %1 / 100.0) * %2)"));
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
