#pragma once

class AnswerColumnView;
class QAccessibleInterface;

// What screen readers are told of the answer column: a list whose children
// are its answers, each named with its line ("Line 3: 14"), so that they can
// be read and reached without the pointer.
namespace AnswerColumnAccessible {

// Makes the column's interface known to Qt; called before anything can ask for it.
void install();
// A new interface for the answer beside `line` of `column`.
QAccessibleInterface *answerInterface(AnswerColumnView &column, int line);

} // namespace AnswerColumnAccessible
