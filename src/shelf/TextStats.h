#pragma once

#include <QString>

// Counting text the way a reader does: by user-perceived characters
// (grapheme clusters), not by UTF-16 code units.
namespace TextStats {

qsizetype characterCount(const QString &text);
// The first `count` user-perceived characters.
QString leftCharacters(const QString &text, qsizetype count);
// As leftCharacters(), but no longer than `utf8Bytes` in UTF-8. A character
// can be any length (a letter with stacked combining marks), so when even the
// first one does not fit, it is cut between code points instead.
QString leftCharactersWithin(const QString &text, qsizetype count, qsizetype utf8Bytes);
// Non-empty runs between white-space characters.
qsizetype wordCount(const QString &text);
// The text before its first line break (any of the Unicode newline characters).
QString firstLine(const QString &text);

} // namespace TextStats
