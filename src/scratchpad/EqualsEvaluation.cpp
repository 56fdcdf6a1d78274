#include "scratchpad/EqualsEvaluation.h"

#include "math/InlineMathParser.h"
#include "math/MathText.h"

#include <algorithm>

namespace EqualsEvaluation {

std::optional<QString> insertionAt(const QString &note, qsizetype cursor, InlineMathParser &parser)
{
    if (cursor <= 0 || cursor > note.size())
        return std::nullopt;
    // The line's text before the cursor: empty right after a line break.
    const QStringList above = InlineMathParser::splitLines(note.left(cursor));
    const QString &beforeCursor = above.constLast();
    const QString candidate = MathText::trimSpacesAndTabs(beforeCursor);
    if (!candidate.endsWith(QLatin1Char('=')))
        return std::nullopt;

    // The note is read whole, with the line cut at the cursor, so that the
    // parser's reading of the other lines stays what it was.
    const qsizetype lineEnd = cursor + InlineMathParser::splitLines(note.mid(cursor)).constFirst().size();
    const int line = int(above.size() - 1);
    const QList<MathResult> results = parser.parseDocument(note.left(cursor - beforeCursor.size()) + candidate + note.mid(lineEnd));
    const auto result = std::find_if(results.cbegin(), results.cend(), [line](const MathResult &r) { return r.lineNumber == line; });
    if (result == results.cend())
        return std::nullopt;
    return QLatin1Char(' ') + result->cleanValue();
}

} // namespace EqualsEvaluation
