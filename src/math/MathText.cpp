#include "math/MathText.h"

namespace {
template<typename IsBlank>
QString trim(const QString &text, IsBlank isBlank)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text.at(start)))
        ++start;
    while (end > start && isBlank(text.at(end - 1)))
        --end;
    return text.mid(start, end - start);
}
} // namespace

namespace MathText {

QString trimHorizontal(const QString &text)
{
    return trim(text, [](QChar c) { return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space; });
}

QString trimSpacesAndTabs(const QString &text)
{
    return trim(text, [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); });
}

} // namespace MathText
