#include "math/MathLexer.h"

#include <QStringList>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <charconv>
#include <string>

namespace {

// The text as user-perceived characters (grapheme clusters), each a view
// into the text. Plain ASCII text (the common case) has one character per
// code unit, apart from CR LF, which is white space either way, so only other
// text needs the boundary finder.
class Characters
{
public:
    explicit Characters(const QString &text) : m_text(text)
    {
        const bool ascii = std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
        if (ascii)
            return;
        m_clustered = true;
        m_starts.append(0);
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        for (qsizetype end = finder.toNextBoundary(); end > 0; end = finder.toNextBoundary())
            m_starts.append(end);
    }

    qsizetype size() const { return m_clustered ? m_starts.size() - 1 : m_text.size(); }
    QStringView at(qsizetype i) const { return span(i, i + 1); }
    // The characters from `first` up to (not including) `end`.
    QStringView span(qsizetype first, qsizetype end) const
    {
        if (!m_clustered)
            return m_text.sliced(first, end - first);
        return m_text.sliced(m_starts.at(first), m_starts.at(end) - m_starts.at(first));
    }

private:
    QStringView m_text;
    bool m_clustered = false;
    QList<qsizetype> m_starts;
};

char32_t firstCodePoint(QStringView character)
{
    if (character.size() >= 2 && character.at(0).isHighSurrogate() && character.at(1).isLowSurrogate())
        return QChar::surrogateToUcs4(character.at(0), character.at(1));
    return character.at(0).unicode();
}

bool isWhitespace(QStringView c)
{
    return QChar::isSpace(firstCodePoint(c));
}

bool isNumeric(QStringView c)
{
    const char32_t code = firstCodePoint(c);
    if (code < 0x80)
        return code >= '0' && code <= '9';
    switch (QChar::category(code)) {
    case QChar::Number_DecimalDigit:
    case QChar::Number_Letter:
    case QChar::Number_Other:
        return true;
    default:
        return false;
    }
}

bool isLetter(QStringView c)
{
    const char32_t code = firstCodePoint(c);
    if (code < 0x80)
        return (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z');
    return QChar::isLetter(code) || QChar::category(code) == QChar::Number_Letter;
}

bool is(QStringView c, char ascii)
{
    return c.size() == 1 && c.at(0) == QLatin1Char(ascii);
}

std::optional<MathToken::Kind> operatorKind(QStringView c)
{
    if (c.size() != 1)
        return std::nullopt;
    switch (c.at(0).unicode()) {
    case '+': return MathToken::Kind::Plus;
    case '-': return MathToken::Kind::Minus;
    case '*': return MathToken::Kind::Multiply;
    case '/': return MathToken::Kind::Divide;
    case '^': return MathToken::Kind::Power;
    case '(': return MathToken::Kind::LParen;
    case ')': return MathToken::Kind::RParen;
    default: return std::nullopt;
    }
}

// Decimal digits with at most one point, at least one digit: "12", "1.5",
// ".5" and "5." read; "1.2.3", "." and digits of other scripts do not.
std::optional<double> readNumber(QStringView run)
{
    std::string ascii;
    ascii.reserve(std::size_t(run.size()) + 1);
    bool sawPoint = false;
    bool sawDigit = false;
    for (QChar c : run) {
        if (c == QLatin1Char('.')) {
            if (sawPoint)
                return std::nullopt;
            sawPoint = true;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            sawDigit = true;
        } else {
            return std::nullopt;
        }
        ascii += char(c.unicode());
    }
    if (!sawDigit)
        return std::nullopt;
    // from_chars reads neither a leading nor a trailing point on its own.
    if (ascii.front() == '.')
        ascii.insert(0, 1, '0');
    if (ascii.back() == '.')
        ascii.pop_back();
    double value = 0;
    const char *end = ascii.data() + ascii.size();
    const auto [stop, error] = std::from_chars(ascii.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

const QStringList &functionNames()
{
    static const QStringList names = {
        QStringLiteral("sqrt"), QStringLiteral("abs"), QStringLiteral("round"), QStringLiteral("ceil"),
        QStringLiteral("floor"), QStringLiteral("sin"), QStringLiteral("cos"), QStringLiteral("tan"),
        QStringLiteral("log"),
    };
    return names;
}

std::optional<MathToken> resolveName(const QString &name, const MathLexer::Names &names, MathLexer::Lookups *lookups)
{
    const QString key = MathLexer::variableKey(name.trimmed());
    if (key == QLatin1String("pi"))
        return MathToken::ofNumber(3.141592653589793);
    if (key == QLatin1String("e"))
        return MathToken::ofNumber(2.718281828459045);
    if (functionNames().contains(key))
        return MathToken::ofFunction(key);
    const auto it = names.variables.constFind(key);
    const bool defined = it != names.variables.cend();
    // Looked up even when it is not defined: it may be, above the line, later.
    if (lookups)
        lookups->variables.append({key, defined ? std::optional(*it) : std::nullopt});
    if (defined)
        return MathToken::ofNumber(it->value, it->unit);
    if (key == QLatin1String("prev") || key == QLatin1String("ans")) {
        // Read even when there is no answer above: one may appear there.
        if (lookups)
            lookups->previous = true;
        if (names.previous)
            return MathToken::ofNumber(names.previous->value, names.previous->unit);
    }
    return std::nullopt;
}

bool isCurrencySign(QStringView c)
{
    static const QString signs = QStringLiteral("$\u20AC\u00A3\u20B9\u00A5");
    return c.size() == 1 && signs.contains(c.at(0));
}

// The word that may follow an amount: letters, or a degree sign and letters ("°C").
qsizetype unitWordEnd(const Characters &chars, qsizetype i)
{
    const qsizetype count = chars.size();
    if (i < count && chars.at(i) == u"\u00B0")
        ++i;
    while (i < count && firstCodePoint(chars.at(i)) < 0x80 && isLetter(chars.at(i)))
        ++i;
    if (i < count && (chars.at(i) == u"\u2103" || chars.at(i) == u"\u2109"))
        ++i;
    return i;
}

} // namespace

namespace MathLexer {

QString variableKey(const QString &name)
{
    return name.toLower().replace(QLatin1Char(' '), QLatin1Char('_'));
}

std::optional<QList<MathToken>> tokenize(const QString &text, const MathVariables &variables)
{
    return tokenize(text, Names{variables});
}

std::optional<QList<MathToken>> tokenize(const QString &text, const Names &names, Lookups *lookups)
{
    const Characters chars(text);
    const qsizetype count = chars.size();
    QList<MathToken> tokens;
    tokens.reserve(count / 2 + 1);
    qsizetype i = 0;
    // The first character after the white space that follows a space in a
    // name. Every space of one run looks past the same white space to the
    // same character, so it is found once per run, not once per space.
    qsizetype ahead = 0;
    while (i < count) {
        const QStringView c = chars.at(i);
        if (isWhitespace(c)) {
            ++i;
        } else if (isNumeric(c) || is(c, '.') || isCurrencySign(c)) {
            std::optional<QString> unit;
            if (isCurrencySign(c)) {
                if (names.unitOf)
                    unit = names.unitOf(c);
                ++i;
                while (i < count && isWhitespace(chars.at(i)))
                    ++i;
                if (!unit || i >= count || !isNumeric(chars.at(i)))
                    return std::nullopt;
            }
            const qsizetype start = i;
            while (i < count && (isNumeric(chars.at(i)) || is(chars.at(i), '.')))
                ++i;
            const auto value = readNumber(chars.span(start, i));
            if (!value)
                return std::nullopt;
            // A word after the amount may say what it counts: "20 USD", "5 km".
            if (!unit && names.unitOf) {
                qsizetype word = i;
                while (word < count && isWhitespace(chars.at(word)))
                    ++word;
                const qsizetype end = unitWordEnd(chars, word);
                if (end > word && (end >= count || !(isLetter(chars.at(end)) || isNumeric(chars.at(end)) || is(chars.at(end), '_')))) {
                    unit = names.unitOf(chars.span(word, end));
                    if (unit)
                        i = end;
                }
            }
            tokens.append(MathToken::ofNumber(*value, unit.value_or(QString())));
        } else if (isLetter(c) || is(c, '_')) {
            const qsizetype start = i;
            while (i < count) {
                const QStringView n = chars.at(i);
                if (is(n, ' ')) {
                    // A space belongs to the name unless an operator follows it:
                    // "monthly rent * 12", but "sqrt (9)".
                    if (ahead <= i) {
                        ahead = i + 1;
                        while (ahead < count && isWhitespace(chars.at(ahead)))
                            ++ahead;
                    }
                    if (ahead < count && operatorKind(chars.at(ahead)))
                        break;
                } else if (!isLetter(n) && !isNumeric(n) && !is(n, '_')) {
                    break;
                }
                ++i;
            }
            const auto token = resolveName(chars.span(start, i).toString(), names, lookups);
            if (!token)
                return std::nullopt;
            tokens.append(*token);
        } else if (const auto kind = operatorKind(c)) {
            tokens.append(MathToken::of(*kind));
            ++i;
        } else {
            return std::nullopt;
        }
    }
    return tokens;
}

} // namespace MathLexer
