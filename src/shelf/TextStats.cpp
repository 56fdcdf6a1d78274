#include "shelf/TextStats.h"

#include <QTextBoundaryFinder>

namespace {
qsizetype utf8Length(QStringView text)
{
    return text.toUtf8().size();
}

bool isNewline(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x0A && u <= 0x0D) || u == 0x85 || u == 0x2028 || u == 0x2029;
}
} // namespace

namespace TextStats {

qsizetype characterCount(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype count = 0;
    while (finder.toNextBoundary() > 0)
        ++count;
    return count;
}

QString leftCharacters(const QString &text, qsizetype count)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0)
            break;
        end = next;
    }
    return text.left(end);
}

QString leftCharactersWithin(const QString &text, qsizetype count, qsizetype utf8Bytes)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype end = 0;
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype next = finder.toNextBoundary();
        if (next < 0)
            break;
        bytes += utf8Length(QStringView(text).sliced(end, next - end));
        if (bytes > utf8Bytes)
            break;
        end = next;
    }
    if (end > 0 || text.isEmpty() || count < 1)
        return text.left(end);

    // Even the first character is too long: cut between its code points.
    bytes = 0;
    while (end < text.size()) {
        const qsizetype width = text.at(end).isHighSurrogate() && end + 1 < text.size() ? 2 : 1;
        bytes += utf8Length(QStringView(text).sliced(end, width));
        if (bytes > utf8Bytes)
            break;
        end += width;
    }
    return text.left(end);
}

qsizetype wordCount(const QString &text)
{
    qsizetype words = 0;
    bool inWord = false;
    for (QChar c : text) {
        const bool space = c.isSpace();
        if (!space && !inWord)
            ++words;
        inWord = !space;
    }
    return words;
}

QString firstLine(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isNewline(text.at(i)))
            return text.left(i);
    }
    return text;
}

} // namespace TextStats
