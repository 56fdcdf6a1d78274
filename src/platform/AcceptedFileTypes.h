#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// What a page's file input accepts (its `accept` list as the engine hands it
// over: extensions such as ".pdf" and types such as "image/png" or
// "image/*"), as the patterns a file chooser filters with.
namespace AcceptedFileTypes {

struct Pattern
{
    // The two kinds a desktop file chooser understands.
    enum Kind : uint { Glob = 0, MimeType = 1 };
    Kind kind = Glob;
    QString text;

    bool operator==(const Pattern &) const = default;
};

// One pattern per usable entry, in the page's order, without repeats. An
// extension matches whatever its letters' case ("*.[pP][dD][fF]"), as file
// names on a disk are written either way. Nothing when the page accepts
// anything, or names nothing usable: then the chooser shows every file.
QList<Pattern> patternsFor(const QStringList &accepted);

} // namespace AcceptedFileTypes
