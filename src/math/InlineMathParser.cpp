#include "math/InlineMathParser.h"

#include "math/CurrencyEngine.h"
#include "math/ExpressionParser.h"
#include "math/MathText.h"
#include "math/NumberFormat.h"

#include <QRegularExpression>

#include <cmath>

namespace {

const QString forbiddenNameCharacters = QStringLiteral("+-*/^()%$\u20AC\u00A3\u20B9\u00A5");
const QString operatorCharacters = QStringLiteral("+-*/^%");

using MathText::trimHorizontal;

// "2+2 = =" becomes "2+2".
QString stripTrailingEquals(QString text)
{
    while (text.endsWith(QLatin1Char('=')))
        text = trimHorizontal(text.chopped(1));
    return text;
}

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

bool containsAny(const QString &text, const QString &characters)
{
    for (QChar c : text) {
        if (characters.contains(c))
            return true;
    }
    return false;
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

QList<MathResult> InlineMathParser::parseDocument(const QString &text)
{
    m_variables.clear();
    QList<MathResult> results;
    const QStringList lines = splitLines(text);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (auto result = parseLine(lines.at(i), int(i)))
            results.append(std::move(*result));
    }
    return results;
}

std::optional<MathResult> InlineMathParser::parseLine(const QString &line, int lineNumber)
{
    const QString trimmed = trimHorizontal(line);
    if (trimmed.isEmpty())
        return std::nullopt;
    return parseContent(removeListMarker(trimmed), lineNumber);
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
        const QString stripped = stripTrailingEquals(requested);
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
    m_variables.insert(variableKey(name).trimmed(), value->value);
    result = *value;
    return true;
}

std::optional<InlineMathParser::DetailedResult> InlineMathParser::evaluateDetailed(const QString &expression) const
{
    static const QRegularExpression currencyAmount(
        QStringLiteral("([\\$\u20AC\u00A3\u20B9\u00A5])\\s*([0-9]+(?:\\.[0-9]+)?)"),
        QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression percentOf(
        QStringLiteral("([0-9]+(?:\\.[0-9]+)?)\\s*%\\s+of\\s+([0-9a-zA-Z_\\.\\s]+)"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::UseUnicodePropertiesOption);
    static const QRegularExpression percent(QStringLiteral("([0-9]+(?:\\.[0-9]+)?)\\s*%"),
                                            QRegularExpression::UseUnicodePropertiesOption);

    QString text = stripTrailingEquals(trimHorizontal(expression));
    if (text.isEmpty())
        return std::nullopt;

    if (const auto conversion = m_currency.parseConversion(text)) {
        if (const auto converted = m_currency.convert(conversion->amount, conversion->fromCode, conversion->toCode))
            return DetailedResult{*converted, m_currency.formatCurrency(*converted, conversion->toCode)};
    }

    std::optional<QString> baseCurrency;
    if (text.contains(QLatin1Char('$')) || containsAny(text, QStringLiteral("\u20AC\u00A3\u20B9\u00A5"))) {
        QList<QRegularExpressionMatch> matches;
        for (auto it = currencyAmount.globalMatch(text); it.hasNext();)
            matches.append(it.next());
        if (!matches.isEmpty()) {
            const QString base = m_currency.resolveCurrencyCode(matches.first().captured(1)).value_or(QStringLiteral("USD"));
            // From the last match to the first, so that each replacement leaves
            // the positions of the earlier matches as they were.
            for (auto it = matches.crbegin(); it != matches.crend(); ++it) {
                bool ok = false;
                double amount = it->captured(2).toDouble(&ok);
                if (!ok)
                    continue;
                const QString code = m_currency.resolveCurrencyCode(it->captured(1)).value_or(base);
                if (code != base)
                    amount = m_currency.convert(amount, code, base).value_or(amount);
                text.replace(it->capturedStart(), it->capturedLength(), QString::asprintf("%.4f", amount));
            }
            baseCurrency = base;
        }
    }

    if (text.contains(QLatin1Char('%'))) {
        text.replace(percentOf, QStringLiteral("((\\1 / 100.0) * \\2)"));
        text.replace(percent, QStringLiteral("(\\1 / 100.0)"));
    }

    const auto tokens = tokenize(text, m_variables);
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
        return QString::asprintf("%.0f", value);
    return NumberFormat::plain(value, 4);
}

bool InlineMathParser::isAnswerString(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^[+-]?(?:[0-9]+\\.?[0-9]*|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    QString rest = text.trimmed();
    if (rest.isEmpty())
        return false;
    for (const char16_t *mark : {u"CA$", u"AU$", u"SG$", u"NZ$", u"CHF", u"AED", u"$", u"\u20AC", u"\u00A3", u"\u20B9",
                                 u"\u00A5", u",", u"%"}) {
        rest.remove(QString::fromUtf16(mark));
    }
    rest = trimHorizontal(rest);
    return !rest.isEmpty() && number.match(rest).hasMatch();
}
