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

// One backward walk: chopping one "=" at a time and trimming a copy each
// time would cost the square of the line's length on a pasted run of "=".
template<typename IsBlank>
QString trimAndTrailingEquals(const QString &text, IsBlank isBlank)
{
    qsizetype end = text.size();
    while (end > 0 && isBlank(text.at(end - 1)))
        --end;
    while (end > 0 && text.at(end - 1) == QLatin1Char('=')) {
        --end;
        while (end > 0 && isBlank(text.at(end - 1)))
            --end;
    }
    return trim(text.left(end), isBlank);
}

bool isHorizontalBlank(QChar c)
{
    return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space;
}

bool isSpaceOrTab(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}
} // namespace

namespace MathText {

QString trimHorizontal(const QString &text)
{
    return trim(text, isHorizontalBlank);
}

QString trimSpacesAndTabs(const QString &text)
{
    return trim(text, isSpaceOrTab);
}

QString trimHorizontalAndTrailingEquals(const QString &text)
{
    return trimAndTrailingEquals(text, isHorizontalBlank);
}

QString trimSpacesAndTabsAndTrailingEquals(const QString &text)
{
    return trimAndTrailingEquals(text, isSpaceOrTab);
}

} // namespace MathText
