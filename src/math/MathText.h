#pragma once

#include <QString>

// Trimming as the note's rules define it.
namespace MathText {

// Removes horizontal white space (spaces, tabs, other space separators), never line breaks.
QString trimHorizontal(const QString &text);
// Removes only plain spaces and tabs.
QString trimSpacesAndTabs(const QString &text);

} // namespace MathText
