#include "shelf/DropShelfStorage.h"

#include "shelf/TextStats.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>

namespace {
constexpr qsizetype nameLength = 20;

QString idPrefix(const QUuid &id)
{
    return id.toString(QUuid::WithoutBraces).toUpper().left(6);
}

bool isAlphanumeric(char32_t c)
{
    return QChar::isLetterOrNumber(c) || QChar::isMark(c);
}

bool fileHoldsOtherText(const QString &path, const QByteArray &content)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    return file.readAll() != content;
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
    const QString name = TextStats::leftCharacters(words.join(QLatin1Char('_')), nameLength);
    return name.isEmpty() ? QStringLiteral("Snippet_") + idPrefix(id) : name;
}

QUrl saveTextSnippet(const QUuid &id, const QString &text, const QString &titleHint)
{
    const QString directory = snippetsDirectory();
    const QString baseName = snippetBaseName(id, titleHint);
    const QByteArray content = text.toUtf8();
    QString path = directory + QLatin1Char('/') + baseName + QStringLiteral(".txt");
    // Two snippets with the same heading would otherwise share one file, and
    // the earlier snippet would drag out the later one's text.
    if (fileHoldsOtherText(path, content))
        path = directory + QLatin1Char('/') + baseName + QLatin1Char('_') + idPrefix(id) + QStringLiteral(".txt");

    // A failed write is ignored: the record still names the intended file and
    // dragging it out writes it again.
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(content);
        file.commit();
    }
    return QUrl::fromLocalFile(path);
}

} // namespace DropShelfStorage
