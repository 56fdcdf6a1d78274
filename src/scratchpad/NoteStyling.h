#pragma once

#include <QColor>
#include <QString>

#include <optional>

// How the note is coloured, line by line: headings are bold, answers after a
// line's last "=" stand out in their own colour. Everything else is plain text.
namespace NoteStyling {

struct Palette
{
    QColor text;
    // Also the insertion point.
    QColor answer;
    // A written answer that the line no longer gives.
    QColor stale;
    QColor selection;
    // The wash over the panel behind the note.
    QColor card;
};

enum class Role { Heading, Answer };

struct Range
{
    qsizetype start = 0;
    qsizetype length = 0;
    Role role = Role::Heading;

    bool operator==(const Range &) const = default;
};

Palette palette(bool lightTheme);
// A heading (after leading spaces and tabs, a "#") over the whole line; else
// the answer after the last "=", from just after it to the end of the line.
std::optional<Range> styledRange(const QString &line);

} // namespace NoteStyling
