#include "math/InlineMathParser.h"

#include "math/AmountRewriter.h"
#include "math/CurrencyEngine.h"
#include "math/ExpressionParser.h"
#include "math/MathNotation.h"
#include "math/MathText.h"
#include "math/NumberFormat.h"
#include "math/UnitTable.h"

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

// A currency amount as arithmetic takes it: rounded to four decimals.
double toFourDecimals(double value)
{
    char buffer[400];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    double rounded = value;
    std::from_chars(buffer, written.ptr, rounded);
    return rounded;
}

bool isLineBreak(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
}

// Digits, points, operators and brackets only: no word, sign, mark or
// separator that a conversion, a share, a scale or a unit is written with.
bool isPlainArithmetic(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) {
        return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || QStringView(u" \t.+-*/^()").contains(c);
    });
}

bool containsDigit(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}

// Where an amount begins, for the words before it to be a label: the first
// digit, or the currency sign just before it.
qsizetype amountStart(const QString &text)
{
    const qsizetype digit = std::find_if(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); }) - text.cbegin();
    if (digit > 0 && QStringView(u"$\u20AC\u00A3\u20B9\u00A5").contains(text.at(digit - 1)))
        return digit - 1;
    return digit;
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

quint64 mixed(quint64 x)
{
    x ^= x >> 30;
    x *= 0xBF58476D1CE4E5B9ULL;
    x ^= x >> 27;
    x *= 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

quint64 fingerprintOf(const MathQuantity &quantity)
{
    quint64 bits = 0;
    std::memcpy(&bits, &quantity.value, sizeof bits);
    // Never 0, which stands for no answer, for any answer one can write.
    return mixed(bits ^ (quint64(qHash(quantity.unit)) << 17) ^ 0x9E3779B97F4A7C15ULL);
}

MathResult makeResult(int lineNumber, const QString &expression, const InlineMathParser::DetailedResult &result)
{
    return MathResult{lineNumber, expression, QStringLiteral("= ") + result.formatted, result.value, result.unit};
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
        if (isLineBreak(text.at(i))) {
            lines.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    lines.append(text.mid(start));
    return lines;
}

qsizetype InlineMathParser::lineCount(const QString &text)
{
    return std::count_if(text.cbegin(), text.cend(), isLineBreak) + 1;
}

void InlineMathParser::resetVariables()
{
    m_variables.clear();
    m_previous.reset();
    m_previousFingerprint = 0;
    m_block.clear();
    m_blockFingerprint = 0;
}

void InlineMathParser::setVariable(const QString &key, const MathQuantity &value)
{
    m_variables.insert(key, value);
    m_lastAssignment = std::pair(key, value);
}

QList<MathResult> InlineMathParser::parseDocument(const QString &text)
{
    return parseDocument(splitLines(text));
}

QList<MathResult> InlineMathParser::parseDocument(const QStringList &lines)
{
    resetVariables();
    dropReadingIfLocaleChanged();
    QList<ReadLine> reading = lineUp(lines);
    m_linesWorkedOut = 0;
    QList<MathResult> results;
    for (qsizetype i = 0; i < reading.size(); ++i) {
        ReadLine &line = reading[i];
        if (!line.known || !stillHolds(line)) {
            line = workOut(lines.at(i), int(i));
            ++m_linesWorkedOut;
        } else {
            if (line.assignment)
                setVariable(line.assignment->first, line.assignment->second);
            if (line.result)
                line.result->lineNumber = int(i);
        }
        noteAnswer(line.text, line.result);
        if (line.result)
            results.append(*line.result);
    }
    m_lines = std::move(reading);
    return results;
}

void InlineMathParser::dropReadingIfLocaleChanged()
{
    const QString locale = QLocale().name();
    if (locale != m_readingLocale) {
        m_lines.clear();
        m_readingLocale = locale;
    }
}

// The last reading's lines set against `lines`: those before and after the
// edited stretch keep what they gave, the stretch's lines are new.
QList<InlineMathParser::ReadLine> InlineMathParser::lineUp(const QStringList &lines)
{
    const qsizetype before = m_lines.size();
    const qsizetype shared = std::min(before, lines.size());
    qsizetype head = 0;
    while (head < shared && m_lines.at(head).text == lines.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < shared - head && m_lines.at(before - 1 - tail).text == lines.at(lines.size() - 1 - tail))
        ++tail;
    // The lines around the stretch stay where they are: a keystroke moves
    // nothing when it leaves the count of lines as it was.
    QList<ReadLine> reading = std::move(m_lines);
    m_lines.clear();
    const qsizetype stretchBefore = before - head - tail;
    const qsizetype stretch = lines.size() - head - tail;
    if (stretch != stretchBefore) {
        reading.remove(head, stretchBefore);
        reading.insert(head, stretch, ReadLine());
    }
    for (qsizetype i = head; i < head + stretch; ++i) {
        reading[i] = ReadLine();
        reading[i].text = lines.at(i);
    }
    return reading;
}

bool InlineMathParser::stillHolds(const ReadLine &line) const
{
    if (line.lookups.previous && line.previousSeen != m_previousFingerprint)
        return false;
    if (line.readBlock && line.blockSeen != m_blockFingerprint)
        return false;
    return std::all_of(line.lookups.variables.cbegin(), line.lookups.variables.cend(), [this](const auto &lookup) {
        const auto it = m_variables.constFind(lookup.first);
        return it == m_variables.cend() ? !lookup.second : lookup.second == *it;
    });
}

InlineMathParser::ReadLine InlineMathParser::workOut(const QString &text, int lineNumber)
{
    ReadLine line;
    line.text = text;
    line.known = true;
    line.previousSeen = m_previousFingerprint;
    line.blockSeen = m_blockFingerprint;
    m_lastAssignment.reset();
    m_lookups = &line.lookups;
    m_readBlock = false;
    line.result = evaluateLine(text, lineNumber);
    m_lookups = nullptr;
    line.assignment = m_lastAssignment;
    line.readBlock = m_readBlock;
    return line;
}

std::optional<MathResult> InlineMathParser::parseLine(const QString &line, int lineNumber)
{
    std::optional<MathResult> result = evaluateLine(line, lineNumber);
    noteAnswer(line, result);
    return result;
}

std::optional<MathResult> InlineMathParser::evaluateLine(const QString &line, int lineNumber)
{
    const QString trimmed = trimHorizontal(line);
    return trimmed.isEmpty() ? std::nullopt : parseContent(removeListMarker(trimmed), lineNumber);
}

void InlineMathParser::noteAnswer(const QString &line, const std::optional<MathResult> &result)
{
    const auto first = std::find_if_not(line.cbegin(), line.cend(), [](QChar c) { return c == QLatin1Char('\t') || c.isSpace(); });
    if (first == line.cend() || *first == QLatin1Char('#')) {
        m_block.clear();
        m_blockFingerprint = 0;
    }
    if (!result)
        return;
    const MathQuantity answer{result->numericValue.value_or(0), result->unit};
    m_previous = answer;
    m_block.append(answer);
    m_previousFingerprint = fingerprintOf(answer);
    // Depends on the order of the answers.
    m_blockFingerprint = mixed(m_blockFingerprint ^ m_previousFingerprint);
}

bool InlineMathParser::isVariable(const QString &key) const
{
    const auto it = m_variables.constFind(key);
    const bool defined = it != m_variables.cend();
    if (m_lookups)
        m_lookups->variables.append({key, defined ? std::optional(*it) : std::nullopt});
    return defined;
}

std::optional<MathResult> InlineMathParser::parseContent(const QString &content, int lineNumber)
{
    if (auto result = parseRequest(content, lineNumber))
        return result;
    // "total" and "sum" add up the block, unless a variable has that name.
    const QString word = trimHorizontalAndTrailingEquals(content);
    const bool isTotal = word.compare(QLatin1String("total"), Qt::CaseInsensitive) == 0
        || word.compare(QLatin1String("sum"), Qt::CaseInsensitive) == 0;
    if (isTotal && !isVariable(word.toLower())) {
        if (const auto sum = total())
            return makeResult(lineNumber, trimHorizontalAndTrailingEquals(content), *sum);
        return std::nullopt;
    }
    return parseLabelled(content, lineNumber);
}

// A line that gives nothing as it is may still be a labelled calculation:
// "Groceries: 45 + 30", "Rent: $1,250" (a label before a colon says the line
// holds a value, so a lone amount answers), "taxi 25+18+30" (words before the
// first amount, when all the rest is a calculation with an operator).
std::optional<MathResult> InlineMathParser::parseLabelled(const QString &content, int lineNumber)
{
    const qsizetype colon = content.indexOf(QLatin1Char(':'));
    if (colon > 0) {
        const QString label = trimHorizontal(content.left(colon + 1));
        const QString rest = trimHorizontal(content.mid(colon + 1));
        if (!label.at(0).isLetter() || label.contains(QLatin1Char('=')) || !containsDigit(rest))
            return std::nullopt;
        if (auto result = parseRequest(rest, lineNumber)) {
            result->expression = label + QLatin1Char(' ') + result->expression;
            return result;
        }
        if (const auto value = evaluateDetailed(rest))
            return makeResult(lineNumber, label + QLatin1Char(' ') + trimHorizontalAndTrailingEquals(rest), *value);
        return std::nullopt;
    }
    const qsizetype start = amountStart(content);
    const QString words = content.left(start);
    const bool onlyWords = std::all_of(words.cbegin(), words.cend(), [](QChar c) { return c.isLetter() || c == QLatin1Char(' '); });
    if (start == 0 || start >= content.size() || !onlyWords || !words.endsWith(QLatin1Char(' ')))
        return std::nullopt;
    const QString rest = content.mid(start);
    if (!rest.endsWith(QLatin1Char('=')) && !containsAny(MathNotation::normalise(rest), operatorCharacters))
        return std::nullopt;
    auto result = parseRequest(rest, lineNumber);
    if (result)
        result->expression = words + result->expression;
    return result;
}

std::optional<MathResult> InlineMathParser::parseRequest(const QString &content, int lineNumber)
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

    const QString normalised = MathNotation::normalise(content);
    if (const auto conversion = m_currency.parseConversion(normalised)) {
        if (const auto converted = m_currency.convert(conversion->amount, conversion->fromCode, conversion->toCode))
            return makeResult(lineNumber, content, {*converted, m_currency.formatCurrency(*converted, conversion->toCode), conversion->toCode});
    }
    if (const auto converted = convertToUnit(normalised))
        return makeResult(lineNumber, content, *converted);
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
    if (containsAny(normalised, operatorCharacters)) {
        if (const auto result = evaluateDetailed(content))
            return makeResult(lineNumber, content, *result);
    }
    return std::nullopt;
}

std::optional<InlineMathParser::DetailedResult> InlineMathParser::total() const
{
    m_readBlock = true;
    if (m_block.isEmpty())
        return std::nullopt;
    const auto withUnit = std::find_if(m_block.cbegin(), m_block.cend(), [](const MathQuantity &q) { return !q.unit.isEmpty(); });
    const QString unit = withUnit == m_block.cend() ? QString() : withUnit->unit;
    double sum = 0;
    for (const MathQuantity &answer : m_block) {
        const auto value = inUnit(answer, unit);
        if (!value)
            return std::nullopt;
        sum += *value;
    }
    return DetailedResult{sum, format(sum, unit), unit};
}

bool InlineMathParser::assign(const QString &name, const QString &expression, DetailedResult &result)
{
    const auto value = evaluateDetailed(expression);
    if (!value)
        return false;
    setVariable(MathLexer::variableKey(name).trimmed(), {value->value, value->unit});
    result = *value;
    return true;
}

std::optional<InlineMathParser::DetailedResult> InlineMathParser::evaluateDetailed(const QString &expression) const
{
    const QString trimmed = trimHorizontalAndTrailingEquals(expression);
    if (trimmed.isEmpty())
        return std::nullopt;
    if (isPlainArithmetic(trimmed))
        return evaluateArithmetic(trimmed);
    QString text = MathNotation::normalise(trimmed);
    if (text.isEmpty())
        return std::nullopt;

    if (const auto conversion = m_currency.parseConversion(text)) {
        if (const auto converted = m_currency.convert(conversion->amount, conversion->fromCode, conversion->toCode))
            return DetailedResult{*converted, m_currency.formatCurrency(*converted, conversion->toCode), conversion->toCode};
    }
    if (const auto converted = convertToUnit(text))
        return converted;
    if (const auto share = shareOf(text))
        return share;

    // "=" can never be read as arithmetic, and no rewrite below removes it.
    if (text.contains(QLatin1Char('=')))
        return std::nullopt;
    return evaluateArithmetic(text);
}

// Amounts are brought to the first amount's currency or unit and the answer
// is given in it; a line mixing dimensions, or currencies and units, gives nothing.
std::optional<InlineMathParser::DetailedResult> InlineMathParser::evaluateArithmetic(const QString &expression) const
{
    QString text = expression;
    if (text.contains(QLatin1Char('%')))
        text = AmountRewriter::rewritePercent(AmountRewriter::rewritePercentOf(AmountRewriter::rewritePercentOffAndOn(text)));

    const MathLexer::Names names{m_variables, m_previous ? &*m_previous : nullptr, [this](QStringView word) { return unitOf(word); }};
    auto tokens = MathLexer::tokenize(text, names, m_lookups);
    if (!tokens)
        return std::nullopt;
    QString unit;
    for (MathToken &token : *tokens) {
        if (token.kind != MathToken::Kind::Number || token.unit.isEmpty())
            continue;
        if (unit.isEmpty())
            unit = token.unit;
        const auto value = inUnit({token.number, token.unit}, unit);
        if (!value)
            return std::nullopt;
        token.number = *value;
    }
    if (!unit.isEmpty() && UnitTable::bySymbol(unit)) {
        const auto measured = ExpressionParser::evaluateMeasured(*tokens);
        if (!measured)
            return std::nullopt;
        const QString shown = measured->measured ? unit : QString();
        return DetailedResult{measured->number, format(measured->number, shown), shown};
    }
    const auto value = ExpressionParser::evaluate(*tokens);
    if (!value)
        return std::nullopt;
    return DetailedResult{*value, format(*value, unit), unit};
}

// "5 ft in cm", "20 °C to °F", "5 km + 300 m in miles": an amount with a
// unit, a connector and a unit of the same dimension.
std::optional<InlineMathParser::DetailedResult> InlineMathParser::convertToUnit(const QString &text) const
{
    qsizetype at = -1;
    qsizetype connectorLength = 0;
    for (const QLatin1String connector : {QLatin1String(" to "), QLatin1String(" in "), QLatin1String(" into "), QLatin1String("->")}) {
        const qsizetype found = text.lastIndexOf(connector, -1, Qt::CaseInsensitive);
        if (found > at) {
            at = found;
            connectorLength = connector.size();
        }
    }
    if (at <= 0)
        return std::nullopt;
    const UnitTable::Unit *target = UnitTable::find(trimHorizontal(text.mid(at + connectorLength)));
    if (!target)
        return std::nullopt;
    const auto amount = evaluateArithmetic(text.left(at));
    const UnitTable::Unit *source = amount ? UnitTable::bySymbol(amount->unit) : nullptr;
    const auto converted = source ? UnitTable::convert(amount->value, *source, *target) : std::nullopt;
    if (!converted)
        return std::nullopt;
    const QString symbol = QString::fromUtf16(target->symbol);
    return DetailedResult{*converted, format(*converted, symbol), symbol};
}

// "50 as a % of 200" = 25%.
std::optional<InlineMathParser::DetailedResult> InlineMathParser::shareOf(const QString &text) const
{
    static const QLatin1String phrase(" as a % of ");
    const qsizetype at = text.indexOf(phrase, 0, Qt::CaseInsensitive);
    if (at <= 0)
        return std::nullopt;
    const auto part = evaluateArithmetic(text.left(at));
    const auto whole = evaluateArithmetic(text.mid(at + phrase.size()));
    if (!part || !whole)
        return std::nullopt;
    const bool bothCount = !part->unit.isEmpty() && !whole->unit.isEmpty();
    const auto wholeValue = bothCount ? inUnit({whole->value, whole->unit}, part->unit) : std::optional(whole->value);
    if (!wholeValue || *wholeValue == 0.0)
        return std::nullopt;
    const double share = part->value / *wholeValue * 100;
    return DetailedResult{share, formatResult(share) + QLatin1Char('%'), {}};
}

std::optional<QString> InlineMathParser::unitOf(QStringView word) const
{
    if (const auto code = m_currency.resolveCurrencyCode(word.toString()))
        return code;
    if (const UnitTable::Unit *unit = UnitTable::find(word))
        return QString::fromUtf16(unit->symbol);
    return std::nullopt;
}

std::optional<double> InlineMathParser::inUnit(const MathQuantity &quantity, const QString &unit) const
{
    if (quantity.unit.isEmpty() || unit.isEmpty())
        return quantity.value;
    const UnitTable::Unit *from = UnitTable::bySymbol(quantity.unit);
    const UnitTable::Unit *to = UnitTable::bySymbol(unit);
    if (from && to)
        return UnitTable::convert(quantity.value, *from, *to);
    if (from || to)
        return std::nullopt;
    if (quantity.unit == unit)
        return toFourDecimals(quantity.value);
    const auto converted = m_currency.convert(quantity.value, quantity.unit, unit);
    return converted ? std::optional(toFourDecimals(*converted)) : std::nullopt;
}

QString InlineMathParser::format(double value, const QString &unit) const
{
    if (unit.isEmpty())
        return formatResult(value);
    if (UnitTable::bySymbol(unit))
        return formatResult(value) + QLatin1Char(' ') + unit;
    return m_currency.formatCurrency(value, unit);
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
