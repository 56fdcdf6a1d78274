#include "ai/ApplicationNames.h"

#include "state/DesktopEntryGroup.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStandardPaths>

#include <algorithm>

namespace {

// Name[de_DE], then Name[de], then Name.
QString localisedName(const QHash<QString, QString> &keys)
{
    const QString locale = QLocale().name();
    for (const QString &suffix : {locale, locale.section(QLatin1Char('_'), 0, 0)}) {
        const QString name = keys.value(QStringLiteral("Name[%1]").arg(suffix));
        if (!name.isEmpty())
            return name;
    }
    return keys.value(QStringLiteral("Name"));
}

} // namespace

ApplicationNames::ApplicationNames(QStringList folders) : m_folders(std::move(folders)) {}

QStringList ApplicationNames::standardFolders()
{
    return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

std::optional<QString> ApplicationNames::nameFor(const QString &instanceName, const QString &className)
{
    readFoldersIfChanged();
    for (const QHash<QString, QString> *index : {&m_byWindowClass, &m_byFileName, &m_byLastNamePart}) {
        for (const QString &key : {className, instanceName}) {
            if (key.isEmpty())
                continue;
            const auto found = index->constFind(key.toLower());
            if (found != index->cend())
                return *found;
        }
    }
    return std::nullopt;
}

void ApplicationNames::readFoldersIfChanged()
{
    QList<QDateTime> times;
    for (const QString &folder : std::as_const(m_folders))
        times.append(QFileInfo(folder).lastModified());
    // A folder's time is coarser than the changes it records: one changed
    // in the same moment as the last reading may have changed after it.
    const bool changedSince = std::any_of(times.cbegin(), times.cend(), [this](const QDateTime &time) {
        return time.isValid() && time.addSecs(1) >= m_readAt;
    });
    if (m_readAt.isValid() && times == m_folderTimes && !changedSince)
        return;
    m_readAt = QDateTime::currentDateTimeUtc();
    m_folderTimes = times;
    m_byWindowClass.clear();
    m_byFileName.clear();
    m_byLastNamePart.clear();
    for (const QString &folder : std::as_const(m_folders)) {
        QDirIterator entries(folder, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (entries.hasNext())
            readEntry(entries.next());
    }
}

void ApplicationNames::readEntry(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QHash<QString, QString> keys = readDesktopEntryGroup(file);
    const QString type = keys.value(QStringLiteral("Type"), QStringLiteral("Application"));
    const QString name = localisedName(keys);
    if (type != QLatin1String("Application") || keys.value(QStringLiteral("Hidden")) == QLatin1String("true")
        || name.isEmpty())
        return;
    // An earlier folder's entry for the same application wins.
    const QString windowClass = keys.value(QStringLiteral("StartupWMClass")).toLower();
    if (!windowClass.isEmpty() && !m_byWindowClass.contains(windowClass))
        m_byWindowClass.insert(windowClass, name);
    const QString fileName = QFileInfo(path).completeBaseName().toLower();
    if (!m_byFileName.contains(fileName))
        m_byFileName.insert(fileName, name);
    const QString lastPart = fileName.section(QLatin1Char('.'), -1);
    if (!m_byLastNamePart.contains(lastPart))
        m_byLastNamePart.insert(lastPart, name);
}
