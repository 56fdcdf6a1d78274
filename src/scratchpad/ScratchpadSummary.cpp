#include "scratchpad/ScratchpadSummary.h"

#include "math/InlineMathParser.h"
#include "shelf/TextStats.h"

#include <QStringList>

namespace ScratchpadSummary {

Counts counts(const QString &note, InlineMathParser &parser)
{
    return {InlineMathParser::splitLines(note).size(), TextStats::wordCount(note), parser.parseDocument(note).size()};
}

QString footerText(const Counts &counts)
{
    return QStringLiteral("%1 lines  \u00B7  %2 words  \u00B7  %3 live calculations")
        .arg(counts.lines)
        .arg(counts.words)
        .arg(counts.calculations);
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
