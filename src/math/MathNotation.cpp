#include "math/MathNotation.h"

namespace {

const QString currencySigns = QStringLiteral("$\u20AC\u00A3\u20B9\u00A5");

bool isDigit(const QString &text, qsizetype i)
{
    return i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9');
}

bool isWordCharacter(const QString &text, qsizetype i)
{
    return i < text.size() && (text.at(i).isLetterOrNumber() || text.at(i) == QLatin1Char('_'));
}

qsizetype skipSpaces(const QString &text, qsizetype i)
{
    while (i < text.size() && (text.at(i) == QLatin1Char(' ') || text.at(i) == QLatin1Char('\t')))
        ++i;
    return i;
}

// "," followed by exactly three digits.
bool isSeparatorAt(const QString &text, qsizetype i)
{
    return i < text.size() && text.at(i) == QLatin1Char(',') && isDigit(text, i + 1) && isDigit(text, i + 2)
        && isDigit(text, i + 3) && !isDigit(text, i + 4);
}

// The power of ten a scale letter right after a number stands for: "1.5k", "2M", "1.2B".
int attachedScale(const QString &text, qsizetype i)
{
    if (i >= text.size() || isWordCharacter(text, i + 1))
        return 0;
    switch (text.at(i).unicode()) {
    case 'k':
    case 'K': return 3;
    case 'M': return 6;
    case 'B': return 9;
    default: return 0;
    }
}

// A scale word at i: its power of ten and where it ends.
std::pair<int, qsizetype> scaleWord(const QString &text, qsizetype i)
{
    for (const auto &[word, power] : {std::pair(QLatin1String("thousand"), 3), std::pair(QLatin1String("million"), 6),
                                      std::pair(QLatin1String("billion"), 9)}) {
        const qsizetype end = i + word.size();
        if (QStringView(text).mid(i, word.size()).compare(word, Qt::CaseInsensitive) == 0 && !isWordCharacter(text, end))
            return {power, end};
    }
    return {0, i};
}

// The decimal digits of a number with its point moved `power` places to the right.
QString scaled(const QString &integer, const QString &fraction, int power)
{
    QString digits = integer + fraction.leftJustified(power, QLatin1Char('0'));
    const qsizetype point = integer.size() + power;
    if (point < digits.size())
        digits.insert(point, QLatin1Char('.'));
    return digits;
}

// The text with pieces replaced, built only once a piece is replaced: most
// lines need no change and cost no copy.
class Rewrite
{
public:
    explicit Rewrite(const QString &text) : m_text(text) {}

    void replace(qsizetype start, qsizetype end, QStringView with)
    {
        m_out += QStringView(m_text).sliced(m_copied, start - m_copied);
        m_out += with;
        m_copied = end;
        m_changed = true;
    }
    QString result()
    {
        if (!m_changed)
            return m_text;
        m_out += QStringView(m_text).sliced(m_copied);
        return m_out;
    }

private:
    const QString &m_text;
    QString m_out;
    qsizetype m_copied = 0;
    bool m_changed = false;
};

} // namespace

namespace MathNotation {

QString normalise(const QString &text)
{
    Rewrite rewrite(text);
    qsizetype i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        if (c == QChar(0x00D7) || c == QChar(0x00F7) || c == QChar(0x2212)) {
            rewrite.replace(i, i + 1, c == QChar(0x00D7) ? u"*" : c == QChar(0x00F7) ? u"/" : u"-");
            ++i;
            continue;
        }
        // A name is skipped whole, so that digits within it are never read as a number.
        if (c.isLetter() || c == QLatin1Char('_')) {
            while (isWordCharacter(text, i))
                ++i;
            continue;
        }
        if (!isDigit(text, i) && !(c == QLatin1Char('.') && isDigit(text, i + 1))) {
            ++i;
            continue;
        }

        const qsizetype start = i;
        bool separated = false;
        while (isDigit(text, i) || isSeparatorAt(text, i)) {
            separated = separated || text.at(i) == QLatin1Char(',');
            ++i;
        }
        const qsizetype integerEnd = i;
        if (i < text.size() && text.at(i) == QLatin1Char('.')) {
            for (++i; isDigit(text, i);)
                ++i;
        }
        const qsizetype numberEnd = i;

        int power = attachedScale(text, i);
        if (power > 0) {
            ++i;
        } else {
            const auto [wordPower, end] = scaleWord(text, skipSpaces(text, i));
            power = wordPower;
            if (power > 0)
                i = end;
        }
        // A sign after the amount goes before it, unless it begins the next amount.
        const qsizetype sign = skipSpaces(text, i);
        const bool signAfter = sign < text.size() && currencySigns.contains(text.at(sign))
            && !isDigit(text, skipSpaces(text, sign + 1));
        if (signAfter)
            i = sign + 1;

        if (separated || power > 0 || signAfter) {
            QString integer = text.sliced(start, integerEnd - start);
            integer.remove(QLatin1Char(','));
            const QString fraction = integerEnd < numberEnd ? text.sliced(integerEnd + 1, numberEnd - integerEnd - 1) : QString();
            QString number = power > 0 ? scaled(integer, fraction, power)
                                       : integer + text.sliced(integerEnd, numberEnd - integerEnd);
            if (signAfter)
                number.prepend(text.at(sign));
            rewrite.replace(start, i, number);
        }

        // "3 x 4", "3x4", "$20 x 3": an x between two amounts multiplies.
        const qsizetype times = skipSpaces(text, i);
        const bool isX = times < text.size() && (text.at(times) == QLatin1Char('x') || text.at(times) == QLatin1Char('X'));
        if (!isX || (times + 1 < text.size() && (text.at(times + 1).isLetter() || text.at(times + 1) == QLatin1Char('_'))))
            continue;
        const qsizetype next = skipSpaces(text, times + 1);
        const bool amountFollows = next < text.size()
            && (isDigit(text, next) || currencySigns.contains(text.at(next)) || text.at(next) == QLatin1Char('(')
                || text.at(next) == QLatin1Char('.'));
        if (amountFollows) {
            rewrite.replace(times, times + 1, u"*");
            i = times + 1;
        }
    }
    return rewrite.result();
}

} // namespace MathNotation
