#include "scratchpad/NoteStyling.h"

#include "math/InlineMathParser.h"
#include "math/MathText.h"

namespace NoteStyling {

Palette palette(bool lightTheme)
{
    if (lightTheme)
        return {QColor(26, 29, 32), QColor(60, 78, 244), QColor(194, 65, 12), QColor(60, 78, 244, 51), QColor(0, 0, 0, 10)};
    return {QColor(215, 222, 236), QColor(165, 180, 252), QColor(251, 146, 60), QColor(124, 92, 245, 89),
            QColor(255, 255, 255, 15)};
}

std::optional<Range> styledRange(const QString &line)
{
    if (MathText::trimSpacesAndTabs(line).startsWith(QLatin1Char('#')))
        return Range{0, line.size(), Role::Heading};
    const qsizetype equals = line.lastIndexOf(QLatin1Char('='));
    if (equals < 0 || !InlineMathParser::isAnswerString(line.mid(equals + 1)))
        return std::nullopt;
    return Range{equals + 1, line.size() - equals - 1, Role::Answer};
}

} // namespace NoteStyling
