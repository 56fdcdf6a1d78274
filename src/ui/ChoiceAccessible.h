#pragma once

struct QMetaObject;

// What screen readers are told of a class of choice buttons (the settings'
// pills, the theme cards). A checkable one is a radio button of its set,
// checked while chosen; its press and toggle actions both click it, as the
// pointer does. Qt's own interface makes it a check box whose toggle only
// flips the mark, so nothing that a click runs would run. One that is not
// checkable is a plain button.
namespace ChoiceAccessible {

// From now on, every button of that class is shown so. Called in the
// class's constructor, before anything can ask for the interface.
void useFor(const QMetaObject &buttonClass);

} // namespace ChoiceAccessible
