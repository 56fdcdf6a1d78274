#include "platform/qt/SettingsFileStore.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <utility>

SettingsFileStore::SettingsFileStore(const QString &filePath)
    : m_settings(filePath, QSettings::IniFormat)
    , m_fileIsUnparsable(m_settings.status() == QSettings::FormatError)
{
    // One write for a burst of changes (a settings save sets every key).
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(0);
    QObject::connect(&m_flushTimer, &QTimer::timeout, &m_flushTimer, [this] { flush(); });
}

SettingsFileStore::~SettingsFileStore()
{
    flush();
}

QString SettingsFileStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Orvane/Orvane.conf");
}

bool SettingsFileStore::contains(const QString &key) const
{
    return m_settings.contains(key);
}

std::optional<bool> SettingsFileStore::boolValue(const QString &key) const
{
    const QVariant value = m_settings.value(key);
    if (!value.isValid())
        return std::nullopt;
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    // The file stores text; anything but a clear yes reads as false, as a
    // boolean read of a foreign value does elsewhere.
    const QString text = value.toString().trimmed().toLower();
    bool isNumber = false;
    const double number = text.toDouble(&isNumber);
    return text == QLatin1String("true") || text == QLatin1String("yes") || (isNumber && number != 0);
}

std::optional<double> SettingsFileStore::doubleValue(const QString &key) const
{
    const QVariant value = m_settings.value(key);
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Int || value.typeId() == QMetaType::LongLong)
        return value.toDouble();
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    bool ok = false;
    const double number = value.toString().trimmed().toDouble(&ok);
    return ok ? std::optional(number) : std::nullopt;
}

std::optional<QString> SettingsFileStore::stringValue(const QString &key) const
{
    const QVariant value = m_settings.value(key);
    return value.typeId() == QMetaType::QString ? std::optional(value.toString()) : std::nullopt;
}

std::optional<QByteArray> SettingsFileStore::dataValue(const QString &key) const
{
    const QVariant value = m_settings.value(key);
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray();
    if (value.typeId() == QMetaType::QString)
        return value.toString().toUtf8();
    return std::nullopt;
}

void SettingsFileStore::setBool(const QString &key, bool value)
{
    write(key, value);
}

void SettingsFileStore::setDouble(const QString &key, double value)
{
    write(key, value);
}

void SettingsFileStore::setString(const QString &key, const QString &value)
{
    write(key, value);
}

void SettingsFileStore::setData(const QString &key, const QByteArray &value)
{
    write(key, value);
}

void SettingsFileStore::remove(const QString &key)
{
    prepareFirstChange();
    m_settings.remove(key);
    m_hasUnwrittenChanges = true;
    m_flushTimer.start();
}

QVariant SettingsFileStore::rawValue(const QString &key) const
{
    return m_settings.value(key);
}

void SettingsFileStore::setRawValue(const QString &key, const QVariant &value)
{
    write(key, value);
}

void SettingsFileStore::write(const QString &key, const QVariant &value)
{
    prepareFirstChange();
    m_settings.setValue(key, value);
    m_hasUnwrittenChanges = true;
    m_flushTimer.start();
}

bool SettingsFileStore::flush()
{
    m_flushTimer.stop();
    if (!m_hasUnwrittenChanges)
        return true;
    m_settings.sync();
    // A status of FormatError (the file as read at start) hides a later
    // AccessError, so whether the file can be written is asked as well.
    if (m_settings.status() == QSettings::AccessError || !m_settings.isWritable()) {
        reportFailure(QStringLiteral("Cannot save the settings to %1: it or its folder cannot be written, so changes "
                                     "made now are lost when Orvane quits.")
                          .arg(fileName()));
        return false;
    }
    m_hasUnwrittenChanges = false;
    if (!m_backupProblem.isEmpty())
        reportFailure(std::exchange(m_backupProblem, QString()));
    return true;
}

void SettingsFileStore::prepareFirstChange()
{
    if (m_changedThisRun)
        return;
    m_changedThisRun = true;
    setAsideUnparsableFile();
    keepBackup();
}

// QSettings rewrites the whole file from what it understood, and a file it
// parses can still hold more than that (hand edits, another program's lines,
// damage that happens to parse). The file as it was before this run's first
// change stays beside it, so that any rewrite can be undone.
void SettingsFileStore::keepBackup()
{
    QFile original(fileName());
    if (!original.exists())
        return;
    QSaveFile backup(backupPath());
    if (!original.open(QIODevice::ReadOnly) || !backup.open(QIODevice::WriteOnly)
        || backup.write(original.readAll()) != original.size() || !backup.commit()) {
        const QString reason = original.error() != QFileDevice::NoError ? original.errorString() : backup.errorString();
        m_backupProblem = QStringLiteral("Could not keep the settings file as it was in %1 (%2) before changing it.")
                              .arg(backupPath(), reason);
    }
}

// Said once a run: the same cause would otherwise repeat it with every change.
// When the settings cannot be saved, neither can the copy, and saying the
// first is enough.
void SettingsFileStore::reportFailure(const QString &line)
{
    if (m_reportedFailure)
        return;
    m_reportedFailure = true;
    qWarning().noquote() << QStringLiteral("[Orvane] ") + line;
}

// QSettings rewrites the whole file from what it could parse, so a file it
// could not parse would lose everything else in it. Keep a copy beside it.
void SettingsFileStore::setAsideUnparsableFile()
{
    if (!m_fileIsUnparsable)
        return;
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString target = m_settings.fileName() + QStringLiteral(".unreadable-") + stamp;
    if (QFile::copy(m_settings.fileName(), target))
        m_setAsidePath = target;
}
