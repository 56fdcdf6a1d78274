#include "math/InlineMathParser.h"

#include "math/AmountRewriter.h"
#include "math/CurrencyEngine.h"
#include "math/ExpressionParser.h"
#include "math/MathText.h"
#include "math/NumberFormat.h"


#include <QLocale>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace {

const QString forbiddenNameCharacters = QStringLiteral("+-*/^()%$\u20AC\u00A3\u20B9\u00A5");
const QString operatorCharacters = QStringLiteral("+-*/^%");

using MathText::trimHorizontal;
using MathText::trimHorizontalAndTrailingEquals;

QString removeListMarker(const QString &text)
{
    for (const char *marker : {"- [ ] ", "- [x] "}) {
        if (text.startsWith(QLatin1String(marker)))
            return trimHorizontal(text.mid(6));
    }
    for (const char *marker : {"- ", "* ", "+ "}) {
        if (text.startsWith(QLatin1String(marker)))
            return trimHorizontal(text.mid(2));
    }
    return text;
}

bool isValidName(const QString &name)
{
    if (name.isEmpty())
        return false;
    for (QChar c : name) {
        if (forbiddenNameCharacters.contains(c))
            return false;
    }
    const char32_t first = name.toUcs4().constFirst();
    return QChar::isLetter(first) || first == U'_';
}

bool containsAny(QStringView text, QStringView characters)
{
    return std::any_of(text.begin(), text.end(), [&](QChar c) { return characters.contains(c); });
}

// Fixed-point text of a number, as printf's "%.*f" gives it, without printf's cost.
QString fixed(double value, int decimals)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

struct NameAndExpression
{
    QString name;
    QString expression;
};

NameAndExpression splitAtFirstEquals(const QString &text)
{
    const qsizetype at = text.indexOf(QLatin1Char('='));
    return {trimHorizontal(text.left(at)), trimHorizontal(text.mid(at + 1))};
}

// A well-mixed 64-bit value for one variable; the table's fingerprint is the
// XOR of its entries', so it can be updated entry by entry.
quint64 entryFingerprint(const QString &key, double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    quint64 x = (quint64(qHash(key, 0x9E3779B97F4A7C15ULL)) << 1) ^ bits;
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

MathResult makeResult(int lineNumber, const QString &expression, const InlineMathParser::DetailedResult &result)
{
    return MathResult{lineNumber, expression, QStringLiteral("= ") + result.formatted, result.value};
}

} // namespace

QString MathResult::cleanValue() const
{
    QString value = resultString;
    value.remove(QStringLiteral("= "));
    value.remove(QLatin1Char('='));
    return MathText::trimSpacesAndTabs(value);
}

InlineMathParser::InlineMathParser(const CurrencyEngine &currency) : m_currency(currency) {}

QStringList InlineMathParser::splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if ((c >= 0x0A && c <= 0x0D) || c == 0x85 || c == 0x2028 || c == 0x2029) {
            lines.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    lines.append(text.mid(start));
    return lines;
}

void InlineMathParser::resetVariables()
{
    m_variables.clear();
    m_variablesFingerprint = 0;
}

void InlineMathParser::setVariable(const QString &key, double value)
{
    const auto old = m_variables.constFind(key);
    if (old != m_variables.cend())
        m_variablesFingerprint ^= entryFingerprint(key, *old);
    m_variables.insert(key, value);
    m_variablesFingerprint ^= entryFingerprint(key, value);
    m_lastAssignment = std::pair(key, value);
}

QList<MathResult> InlineMathParser::parseDocument(const QString &text)
{
    resetVariables();
    dropCacheIfLocaleChanged();
    QList<MathResult> results;
    const QStringList lines = splitLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (auto result = parseLineUsingCache(lines.at(i), int(i)))
            results.append(std::move(*result));
    }
    return results;
}

void InlineMathParser::dropCacheIfLocaleChanged()
{
    const QString locale = QLocale().name();
    if (locale != m_cacheLocale) {
        m_cache.clear();
        m_cacheLocale = locale;
    }
}

std::optional<MathResult> InlineMathParser::parseLine(const QString &line, int lineNumber)
{
    dropCacheIfLocaleChanged();
    return parseLineUsingCache(line, lineNumber);
}

std::optional<MathResult> InlineMathParser::parseLineUsingCache(const QString &line, int lineNumber)
{
    if (const LineResultCache::Entry *known = m_cache.find(line, m_variablesFingerprint)) {
        const LineResultCache::Entry entry = *known;
        if (entry.assignment)
            setVariable(entry.assignment->first, entry.assignment->second);
        std::optional<MathResult> result = entry.result;
        if (result)
            result->lineNumber = lineNumber;
        return result;
    }

    const quint64 before = m_variablesFingerprint;
    m_lastAssignment.reset();
    const QString trimmed = trimHorizontal(line);
    const std::optional<MathResult> result = trimmed.isEmpty() ? std::nullopt : parseContent(removeListMarker(trimmed), lineNumber);
    m_cache.insert(line, before, {result, m_lastAssignment});
    return result;
}

std::optional<MathResult> InlineMathParser::parseContent(const QString &content, int lineNumber)
{
    QString requested = content;
    // A line that already carries its answer ("tools = 20 + 12 + 8 = 40", as
    // typing "=" leaves it) is read as the request it was, so its variable is
    // defined for the lines below it. A single "=" keeps its own meaning:
    // "rate = 5" assigns, "12*3 = 36" shows the left side.
    const qsizetype lastEquals = content.lastIndexOf(QLatin1Char('='));
    if (!content.endsWith(QLatin1Char('=')) && content.count(QLatin1Char('=')) >= 2
        && isAnswerString(content.mid(lastEquals + 1))) {
        requested = content.left(lastEquals + 1);
    }

    if (requested.endsWith(QLatin1Char('='))) {
        const QString stripped = trimHorizontalAndTrailingEquals(requested);
        if (const auto result = evaluateDetailed(stripped))
            return makeResult(lineNumber, stripped, *result);
        if (stripped.contains(QLatin1Char('='))) {
            const NameAndExpression parts = splitAtFirstEquals(stripped);
            DetailedResult result;
            if (isValidName(parts.name) && assign(parts.name, parts.expression, result))
                return makeResult(lineNumber, stripped, result);
        }
        return std::nullopt;
    }

    if (const auto conversion = m_currency.parseConversion(content)) {
        if (const auto converted = m_currency.convert(conversion->amount, conversion->fromCode, conversion->toCode))
            return makeResult(lineNumber, content, {*converted, m_currency.formatCurrency(*converted, conversion->toCode)});
    }
    if (content.contains(QLatin1Char('='))) {
        const NameAndExpression parts = splitAtFirstEquals(content);
        DetailedResult result;
        if (isValidName(parts.name)) {
            if (!parts.expression.isEmpty() && assign(parts.name, parts.expression, result))
                return makeResult(lineNumber, content, result);
        } else if (const auto leftSide = evaluateDetailed(parts.name)) {
            return makeResult(lineNumber, parts.name, *leftSide);
        }
    }
    if (containsAny(content, operatorCharacters)) {
        if (const auto result = evaluateDetailed(content))
            return makeResult(lineNumber, content, *result);
    }
    return std::nullopt;
}

bool InlineMathParser::assign(const QString &name, const QString &expression, DetailedResult &result)
{
    const auto value = evaluateDetailed(expression);
    if (!value)
        return false;
    setVariable(MathLexer::variableKey(name).trimmed(), value->value);
    result = *value;
    return true;
}

std::optional<InlineMathParser::DetailedResult> InlineMathParser::evaluateDetailed(const QString &expression) const
{
    QString text = trimHorizontalAndTrailingEquals(expression);
    if (text.isEmpty())
        return std::nullopt;

    if (const auto conversion = m_currency.parseConversion(text)) {
        if (const auto converted = m_currency.convert(conversion->amount, conversion->fromCode, conversion->toCode))
            return DetailedResult{*converted, m_currency.formatCurrency(*converted, conversion->toCode)};
    }

    // "=" can never be read as arithmetic, and no rewrite below removes it.
    if (text.contains(QLatin1Char('=')))
        return std::nullopt;

    std::optional<QString> baseCurrency;
    const QList<AmountRewriter::CurrencyAmount> amounts = AmountRewriter::currencyAmounts(text);
    if (!amounts.isEmpty()) {
        const QString base = m_currency.resolveCurrencyCode(amounts.first().symbol).value_or(QStringLiteral("USD"));
        text = AmountRewriter::replaceCurrencyAmounts(text, amounts, [&](const AmountRewriter::CurrencyAmount &found) {
            const QString code = m_currency.resolveCurrencyCode(found.symbol).value_or(base);
            const double amount = code == base ? found.amount : m_currency.convert(found.amount, code, base).value_or(found.amount);
            return fixed(amount, 4);
        });
        baseCurrency = base;
    }

    if (text.contains(QLatin1Char('%')))
        text = AmountRewriter::rewritePercent(AmountRewriter::rewritePercentOf(text));

    const auto tokens = MathLexer::tokenize(text, m_variables);
    if (!tokens)
        return std::nullopt;
    const auto value = ExpressionParser::evaluate(*tokens);
    if (!value)
        return std::nullopt;
    return DetailedResult{*value, baseCurrency ? m_currency.formatCurrency(*value, *baseCurrency) : formatResult(*value)};
}

std::optional<double> InlineMathParser::evaluateExpression(const QString &expression) const
{
    const auto result = evaluateDetailed(expression);
    return result ? std::optional(result->value) : std::nullopt;
}

QString InlineMathParser::formatResult(double value) const
{
    if (std::fabs(value - std::round(value)) < 0.00001)
        return NumberFormat::whole(value);
    return NumberFormat::plain(value, 4);
}

bool InlineMathParser::isAnswerString(const QString &text)
{
    QString rest = text.trimmed();
    if (rest.isEmpty())
        return false;
    for (const char16_t *mark : {u"CA$", u"AU$", u"SG$", u"NZ$", u"CHF", u"AED", u"$", u"\u20AC", u"\u00A3", u"\u20B9",
                                 u"\u00A5", u",", u"%"}) {
        rest.remove(QString::fromUtf16(mark));
    }
    rest = trimHorizontal(rest);
    // A decimal number: an optional sign, digits with at most one point, an optional exponent.
    const QByteArray ascii = rest.toLatin1();
    const char *begin = ascii.constData();
    const char *end = begin + ascii.size();
    if (begin != end && (*begin == '+' || *begin == '-'))
        ++begin;
    if (begin == end || *begin == '+' || *begin == '-')
        return false;
    double value = 0;
    const auto [stop, error] = std::from_chars(begin, end, value, std::chars_format::general);
    return error == std::errc() && stop == end;
}
