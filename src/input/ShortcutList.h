#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The keys Orvane answers to, as the settings screen lists them. Written the
// way QKeySequence writes them ("Ctrl+Alt+A"), so a combination the X server
// refused can be matched by its text.
namespace ShortcutList {

enum class Scope {
    // Grabbed from the X server for the whole desktop; another program may hold it.
    Global,
    // Answered while the panel has the keyboard.
    Panel,
    // A pointer gesture with a key held; nothing to grab.
    Gesture,
};

struct Shortcut
{
    QString title;
    // Each combination that does it; a run of digits is one label ("Ctrl+3 – Ctrl+9").
    QStringList keys;
    Scope scope;
};

const QList<Shortcut> &shortcuts();

} // namespace ShortcutList
