#pragma once

#include <QString>

// The note a new scratchpad starts with, and what "reset" brings back: it
// shows headings, a checklist, variables, percentages and currencies. Its
// answers are fixed text, written as they stand.
namespace SampleNote {

QString text();

} // namespace SampleNote
