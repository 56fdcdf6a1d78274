#include "scratchpad/EqualsEvaluation.h"

#include "math/InlineMathParser.h"
#include "math/MathText.h"

namespace EqualsEvaluation {

std::optional<QString> insertionAt(const QString &note, qsizetype cursor, InlineMathParser &parser)
{
    if (cursor <= 0 || cursor > note.size())
        return std::nullopt;
    // The line's text before the cursor: empty right after a line break.
    const QString beforeCursor = InlineMathParser::splitLines(note.left(cursor)).constLast();
    const QString candidate = MathText::trimSpacesAndTabs(beforeCursor);
    if (!candidate.endsWith(QLatin1Char('=')))
        return std::nullopt;

    parser.parseDocument(note.left(cursor - beforeCursor.size()));
    const auto result = parser.parseLine(candidate, 0);
    if (!result)
        return std::nullopt;
    return QLatin1Char(' ') + result->cleanValue();
}

} // namespace EqualsEvaluation
