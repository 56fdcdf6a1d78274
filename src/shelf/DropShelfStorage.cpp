#include "shelf/DropShelfStorage.h"

#include "shelf/TextStats.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace {
bool isOurSnippet(const DropItem &item)
{
    if (item.kind != DropItemKind::Text || !item.fileURL || !item.fileURL->isLocalFile())
        return false;
    const QString folder = QDir(DropShelfStorage::snippetsDirectory()).canonicalPath();
    return QFileInfo(item.fileURL->toLocalFile()).canonicalPath() == folder;
}

constexpr qsizetype nameLength = 20;
// File names are at most 255 bytes on the usual file systems; a heading's name
// leaves room for "_", six characters of the id and ".txt".
constexpr qsizetype maximumNameBytes = 255 - 11;

QString idPrefix(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper().left(6);
}

bool isAlphanumeric(char32_t c)
{
    return QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

QString idName(const QUuid &id)
{
    return QStringLiteral("Snippet_") + idPrefix(id);
}

bool fileHoldsOtherText(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.readAll() != content;
}

// The file named `baseName` in the folder, or, when that holds another
// snippet's text, the name with the id's characters added: two snippets with
// the same heading would otherwise share one file, and the earlier snippet
// would drag out the later one's text.
QString snippetPath(const QString &directory, const QString &baseName, const QUuid &id, const QByteArray &content)
{
    const QString path = directory + QLatin1Char('/') + baseName + QStringLiteral(".txt");
    if (!fileHoldsOtherText(path, content))
        return path;
    return directory + QLatin1Char('/') + baseName + QLatin1Char('_') + idPrefix(id) + QStringLiteral(".txt");
}

// Empty when written, else why not.
QString writeAtomically(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.commit())
        return QString();
    return file.errorString();
}

// Said once per run: the snippet still stands on the shelf and drags out as
// text, and a folder that refuses one snippet refuses the next ones too.
void reportFirstFailedWrite(const QString &path, const QString &error)
{
    static bool reported = false;
    if (std::exchange(reported, true))
        return;
    qWarning().noquote() << QStringLiteral("[Orvane] Could not write the snippet file %1 (%2); the snippet stays on "
                                           "the shelf as text until Orvane quits. Later failures are not reported.")
                                .arg(path, error);
}
} // namespace

namespace DropShelfStorage {

QString snippetsDirectory()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/Orvane/DropShelf/Snippets");
    QDir().mkpath(path);
    return path;
}

QString snippetBaseName(const QUuid &id, const QString &titleHint)
{
    QStringList words;
    QString word;
    for (char32_t c : titleHint.toUcs4()) {
        if (isAlphanumeric(c)) {
            word += QString::fromUcs4(&c, 1);
        } else if (!word.isEmpty()) {
            words.append(word);
            word.clear();
        }
    }
    if (!word.isEmpty())
        words.append(word);
    const QString name = TextStats::leftCharactersWithin(words.join(QLatin1Char('_')), nameLength, maximumNameBytes);
    return name.isEmpty() ? idName(id) : name;
}

QUrl saveTextSnippet(const QUuid &id, const QString &text, const QString &titleHint)
{
    const QString directory = snippetsDirectory();
    const QByteArray content = text.toUtf8();
    const QString path = snippetPath(directory, snippetBaseName(id, titleHint), id, content);
    const QString error = writeAtomically(path, content);
    if (error.isEmpty())
        return QUrl::fromLocalFile(path);

    // The heading's name can still be refused (a file system with shorter
    // names, a folder of that name); the id's name is short and plain.
    const QString fallback = snippetPath(directory, idName(id), id, content);
    if (fallback != path && writeAtomically(fallback, content).isEmpty())
        return QUrl::fromLocalFile(fallback);
    reportFirstFailedWrite(path, error);
    // The record still names the intended file: dragging it out writes it again.
    return QUrl::fromLocalFile(path);
}

void removeOwnSnippets(const QList<DropItem> &gone, const QList<DropItem> &stillShown)
{
    for (const DropItem &item : gone) {
        const bool shown = std::any_of(stillShown.cbegin(), stillShown.cend(),
                                       [&](const DropItem &other) { return other.fileURL == item.fileURL; });
        if (isOurSnippet(item) && !shown)
            QFile::remove(item.fileURL->toLocalFile());
    }
}

} // namespace DropShelfStorage
