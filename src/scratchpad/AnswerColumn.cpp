#include "scratchpad/AnswerColumn.h"

#include "math/InlineMathParser.h"

#include <algorithm>

namespace {

// An answer's number and the marks around it ("$", "CA$", "%"), grouping left out.
struct ReadAnswer
{
    QString marks;
    std::optional<double> number;

    bool operator==(const ReadAnswer &) const = default;
};

ReadAnswer read(const QString &answer)
{
    QString marks;
    QString digits;
    for (const QChar c : answer) {
        if (c.isDigit() || c == QLatin1Char('.') || c == QLatin1Char('-') || c == QLatin1Char('+')
            || c == QLatin1Char('e') || c == QLatin1Char('E'))
            digits.append(c);
        else if (c != QLatin1Char(',') && !c.isSpace())
            marks.append(c);
    }
    bool ok = false;
    const double number = digits.toDouble(&ok);
    return {marks, ok ? std::optional(number) : std::nullopt};
}

// "1,655" is what the line gives when it gives 1655: the written answer may
// group its digits or not, but not differ in value or currency.
bool isSameAnswer(const QString &written, const QString &value)
{
    return written == value || read(written) == read(value);
}

} // namespace

QString AnswerColumn::Answer::staleText() const
{
    return isStale() ? QStringLiteral("Was %1, now %2").arg(written, value) : QString();
}

QString AnswerColumn::Answer::accessibleText() const
{
    const QString text = QStringLiteral("Line %1: %2").arg(line + 1).arg(value);
    return isStale() ? text + QStringLiteral(", was ") + written : text;
}

std::optional<AnswerColumn::Answer> AnswerColumn::answerOf(const QString &line, const MathResult &result)
{
    Answer answer{result.lineNumber, result.cleanValue(), QString(), 0};
    // A line carries its answer when the evaluated part ends before the
    // line's last "=" and what follows it reads as an answer: "a + b = 9",
    // not the assignment "rent = 1200".
    if (result.expression.count(QLatin1Char('=')) >= line.count(QLatin1Char('=')))
        return answer;
    const qsizetype equals = line.lastIndexOf(QLatin1Char('='));
    const QString after = line.mid(equals + 1);
    if (!InlineMathParser::isAnswerString(after))
        return answer;
    const QString written = after.trimmed();
    if (isSameAnswer(written, answer.value))
        return std::nullopt;
    answer.written = written;
    answer.writtenStart = equals + 1 + after.indexOf(written);
    return answer;
}

QList<AnswerColumn::Answer> AnswerColumn::answersOf(const QStringList &lines, const QList<MathResult> &results)
{
    QList<Answer> answers;
    answers.reserve(results.size());
    for (const MathResult &result : results) {
        if (auto answer = answerOf(lines.at(result.lineNumber), result))
            answers.append(std::move(*answer));
    }
    return answers;
}

AnswerColumn::Rewrite AnswerColumn::rewriteOf(const Answer &stale)
{
    return {stale.line, stale.writtenStart, stale.written.size(), stale.value};
}

AnswerColumn::AnswerColumn(InlineMathParser &parser, QObject *parent) : QObject(parent), m_parser(parser) {}

void AnswerColumn::read(const QString &note)
{
    const QStringList lines = InlineMathParser::splitLines(note);
    const QList<MathResult> results = m_parser.parseDocument(lines);
    // Most lines read as they did before the keystroke: their answers are
    // taken from the last reading instead of being worked out again.
    if (m_known.size() > 2 * lines.size() + 1000)
        m_known.clear();
    QList<Answer> answers;
    answers.reserve(results.size());
    for (const MathResult &result : results) {
        const QString &line = lines.at(result.lineNumber);
        auto known = m_known.find(line);
        if (known == m_known.end() || known->result.resultString != result.resultString
            || known->result.expression != result.expression)
            known = m_known.insert(line, {result, answerOf(line, result)});
        if (known->answer) {
            answers.append(*known->answer);
            answers.last().line = result.lineNumber;
        }
    }
    m_calculations = results.size();
    if (answers == m_answers)
        return;
    m_answers = std::move(answers);
    Q_EMIT changed();
}

const AnswerColumn::Answer *AnswerColumn::answerOn(int line) const
{
    const auto found = std::lower_bound(m_answers.cbegin(), m_answers.cend(), line,
                                        [](const Answer &answer, int wanted) { return answer.line < wanted; });
    return found != m_answers.cend() && found->line == line ? &*found : nullptr;
}

QList<AnswerColumn::Rewrite> AnswerColumn::rewrites() const
{
    QList<Rewrite> rewrites;
    for (auto answer = m_answers.crbegin(); answer != m_answers.crend(); ++answer) {
        if (answer->isStale())
            rewrites.append(rewriteOf(*answer));
    }
    return rewrites;
}
