#pragma once

#include <QString>

// Counting text the way a reader does: by user-perceived characters
// (grapheme clusters), not by UTF-16 code units.
namespace TextStats {

qsizetype characterCount(const QString &text);
// The first `count` user-perceived characters.
QString leftCharacters(const QString &text, qsizetype count);
// Non-empty runs between white-space characters.
qsizetype wordCount(const QString &text);
// The text before its first line break (any of the Unicode newline characters).
QString firstLine(const QString &text);

} // namespace TextStats
