#include "state/DesktopEntryGroup.h"

#include <QIODevice>

namespace {

QString unescaped(const QByteArray &value)
{
    const QString text = QString::fromUtf8(value);
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) != QLatin1Char('\\') || i + 1 == text.size()) {
            result += text.at(i);
            continue;
        }
        switch (text.at(++i).unicode()) {
        case 's': result += QLatin1Char(' '); break;
        case 'n': result += QLatin1Char('\n'); break;
        case 't': result += QLatin1Char('\t'); break;
        case 'r': result += QLatin1Char('\r'); break;
        default: result += text.at(i); break;
        }
    }
    return result;
}

} // namespace

QHash<QString, QString> readDesktopEntryGroup(QIODevice &entry)
{
    QHash<QString, QString> keys;
    bool inMainGroup = false;
    while (!entry.atEnd()) {
        const QByteArray line = entry.readLine().trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (!inMainGroup || equals <= 0 || line.startsWith('#'))
            continue;
        // The first occurrence of a key counts.
        const QString key = QString::fromUtf8(line.left(equals).trimmed());
        if (!keys.contains(key))
            keys.insert(key, unescaped(line.mid(equals + 1).trimmed()));
    }
    return keys;
}
