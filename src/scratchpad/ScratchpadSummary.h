#pragma once

#include <QString>

#include <optional>

class AnswerColumn;
class InlineMathParser;

// What the scratchpad says about its note: the footer's counts and the text
// that "Copy Results" puts on the clipboard. Both read the note as
// orvane-calc does.
namespace ScratchpadSummary {

struct Counts
{
    qsizetype lines = 0;
    qsizetype words = 0;
    qsizetype calculations = 0;

    bool operator==(const Counts &) const = default;
};

// An empty note has one line. The calculations are those of `answers`'
// reading of the note, which the footer takes instead of reading it again.
Counts counts(const QString &note, const AnswerColumn &answers);
QString footerText(const Counts &counts);
// One line per answered line, "expression = answer"; nothing when no line answers.
std::optional<QString> resultsText(const QString &note, InlineMathParser &parser);

} // namespace ScratchpadSummary
