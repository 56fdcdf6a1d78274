#pragma once

#include <QHash>
#include <QString>

class QIODevice;

// The keys of a desktop entry's main group ("[Desktop Entry]"), their string
// escapes (\s \n \t \r \\) undone. Localised keys keep their suffix: "Name[de]".
QHash<QString, QString> readDesktopEntryGroup(QIODevice &entry);
