#pragma once

#include <QString>

// Trimming as the note's rules define it.
namespace MathText {

// Removes horizontal white space (spaces, tabs, other space separators), never line breaks.
QString trimHorizontal(const QString &text);
// Removes only plain spaces and tabs.
QString trimSpacesAndTabs(const QString &text);

// "2+2 = =" becomes "2+2": trims, then removes a final "=" and trims again
// for as long as the text ends in "=". Each flavour trims as its name says.
QString trimHorizontalAndTrailingEquals(const QString &text);
QString trimSpacesAndTabsAndTrailingEquals(const QString &text);

} // namespace MathText
