#include "platform/AcceptedFileTypes.h"

#include <QRegularExpression>

namespace AcceptedFileTypes {

namespace {

// "type/subtype" or "type/*", each a token of letters, digits and the few
// marks MIME names use.
bool isMimeType(const QString &entry)
{
    static const QRegularExpression mime(QStringLiteral(R"(^[a-z0-9][a-z0-9!#$&^_.+-]*/(\*|[a-z0-9][a-z0-9!#$&^_.+-]*)$)"));
    return mime.match(entry).hasMatch();
}

// ".tar.gz" is usable; ".", "./x", ".*" and ".[a]" are not: they would read
// as folders or as glob syntax.
bool isExtension(const QString &entry)
{
    static const QRegularExpression extension(QStringLiteral(R"(^\.[^/\\*?\[\]\s]+$)"));
    return extension.match(entry).hasMatch();
}

QString caseBlindGlob(const QString &extension)
{
    QString glob = QStringLiteral("*");
    for (const QChar c : extension) {
        const QChar lower = c.toLower();
        const QChar upper = c.toUpper();
        if (lower == upper)
            glob += c;
        else
            glob += QLatin1Char('[') + lower + upper + QLatin1Char(']');
    }
    return glob;
}

} // namespace

QList<Pattern> patternsFor(const QStringList &accepted)
{
    QList<Pattern> patterns;
    for (const QString &raw : accepted) {
        const QString entry = raw.trimmed().toLower();
        if (entry == QLatin1String("*/*") || entry == QLatin1String("*"))
            return {};
        Pattern pattern;
        if (isMimeType(entry))
            pattern = {Pattern::MimeType, entry};
        else if (isExtension(entry))
            pattern = {Pattern::Glob, caseBlindGlob(entry)};
        else
            continue;
        if (!patterns.contains(pattern))
            patterns.append(pattern);
    }
    return patterns;
}

} // namespace AcceptedFileTypes
