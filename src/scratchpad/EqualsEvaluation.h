#pragma once

#include <QString>

#include <optional>

class InlineMathParser;

// What typing "=" (or pressing Return) answers: the text before the cursor
// on its line, when it ends in "=", evaluated with the variables that the
// lines above it define.
namespace EqualsEvaluation {

// The text to insert at `cursor` (a UTF-16 index into `note`): one space and
// the answer, or nothing. `parser` is reset first, so no variable of an
// earlier evaluation or of the lines below reaches this one; keeping one
// parser keeps its cache of line results warm.
std::optional<QString> insertionAt(const QString &note, qsizetype cursor, InlineMathParser &parser);

} // namespace EqualsEvaluation
