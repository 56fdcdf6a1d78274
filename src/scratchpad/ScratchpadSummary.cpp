#include "scratchpad/ScratchpadSummary.h"

#include "math/InlineMathParser.h"
#include "scratchpad/AnswerColumn.h"
#include "shelf/TextStats.h"
#include "state/CountText.h"

#include <QStringList>

namespace ScratchpadSummary {

Counts counts(const QString &note, const AnswerColumn &answers)
{
    return {InlineMathParser::lineCount(note), TextStats::wordCount(note), answers.calculations()};
}

QString footerText(const Counts &counts)
{
    const QString dot = QStringLiteral("  \u00B7  ");
    return CountText::of(counts.lines, QStringLiteral("line"), QStringLiteral("lines")) + dot
         + CountText::of(counts.words, QStringLiteral("word"), QStringLiteral("words")) + dot
         + CountText::of(counts.calculations, QStringLiteral("live calculation"), QStringLiteral("live calculations"));
}

std::optional<QString> resultsText(const QString &note, InlineMathParser &parser)
{
    const QList<MathResult> results = parser.parseDocument(note);
    if (results.isEmpty())
        return std::nullopt;
    QStringList lines;
    for (const MathResult &result : results)
        lines.append(result.expression + QLatin1Char(' ') + result.resultString);
    return lines.join(QLatin1Char('\n'));
}

} // namespace ScratchpadSummary
