#include "platform/DownloadName.h"

namespace DownloadName {

namespace {

// What Linux file systems hold in one name.
constexpr int maximumBytes = 255;

// Room for " (99)" and the temporary suffix the engine writes under.
constexpr int reservedBytes = 16;

QString withoutTrailingPart(const QString &text)
{
    // Never cut a surrogate pair in two.
    return text.size() >= 2 && text.at(text.size() - 1).isLowSurrogate() ? text.chopped(2) : text.chopped(1);
}

QString bounded(QString stem, const QString &extension, int bytes)
{
    while (!stem.isEmpty() && (stem + extension).toUtf8().size() > bytes)
        stem = withoutTrailingPart(stem);
    return stem;
}

} // namespace

QString safe(const QString &suggested)
{
    QString name = suggested.section(QLatin1Char('/'), -1).section(QLatin1Char('\\'), -1);
    name.removeIf([](QChar c) { return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format; });
    name = name.trimmed();
    while (name.startsWith(QLatin1Char('.')))
        name.remove(0, 1);
    if (name.isEmpty())
        return QStringLiteral("download");
    const int bytes = maximumBytes - reservedBytes;
    if (name.toUtf8().size() <= bytes)
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    // An extension that is itself too long is no extension.
    const QString extension = dot > 0 && name.size() - dot <= 16 ? name.mid(dot) : QString();
    return bounded(name.left(name.size() - extension.size()), extension, bytes) + extension;
}

QString unused(const QString &name, const std::function<bool(const QString &)> &taken)
{
    if (!taken(name))
        return name;
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    const QString stem = dot > 0 ? name.left(dot) : name;
    const QString extension = dot > 0 ? name.mid(dot) : QString();
    for (int number = 1;; ++number) {
        const QString candidate = QStringLiteral("%1 (%2)%3").arg(stem).arg(number).arg(extension);
        if (!taken(candidate))
            return candidate;
    }
}

} // namespace DownloadName
