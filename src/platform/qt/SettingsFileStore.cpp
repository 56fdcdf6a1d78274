#include "platform/qt/SettingsFileStore.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>

#include <utility>

SettingsFileStore::SettingsFileStore(const QString &filePath)
{
    const QSettings file(filePath, QSettings::IniFormat);
    m_fileName = file.fileName();
    m_fileIsUnparsable = file.status() == QSettings::FormatError;
    const QStringList keys = file.allKeys();
    for (const QString &key : keys)
        m_values.insert(key, file.value(key));
    // One write for a burst of changes (a settings save sets every key).
    m_flushTimer.setSingleShot(true);
    m_flushTimer.setInterval(0);
    QObject::connect(&m_flushTimer, &QTimer::timeout, &m_flushTimer, [this] { writeInBackground(); });
}

// Nothing is lost at quit: what is not on disk yet is written before the
// writer stops.
SettingsFileStore::~SettingsFileStore()
{
    flush();
    if (!m_writer)
        return;
    m_writerThread.quit();
    m_writerThread.wait();
    delete m_writer;
}

QString SettingsFileStore::defaultFilePath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/Orvane/Orvane.conf");
}

bool SettingsFileStore::contains(const QString &key) const
{
    return m_values.contains(key);
}

std::optional<bool> SettingsFileStore::boolValue(const QString &key) const
{
    const QVariant value = m_values.value(key);
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
    const QVariant value = m_values.value(key);
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
    const QVariant value = m_values.value(key);
    return value.typeId() == QMetaType::QString ? std::optional(value.toString()) : std::nullopt;
}

std::optional<QByteArray> SettingsFileStore::dataValue(const QString &key) const
{
    const QVariant value = m_values.value(key);
    if (value.typeId() == QMetaType::QByteArray)
        return value.toByteArray();
    if (value.typeId() == QMetaType::QString)
        return value.toString().toUtf8();
    return std::nullopt;
}

void SettingsFileStore::setBool(const QString &key, bool value)
{
    change(key, value);
}

void SettingsFileStore::setDouble(const QString &key, double value)
{
    change(key, value);
}

void SettingsFileStore::setString(const QString &key, const QString &value)
{
    change(key, value);
}

void SettingsFileStore::setData(const QString &key, const QByteArray &value)
{
    change(key, value);
}

void SettingsFileStore::remove(const QString &key)
{
    change(key, std::nullopt);
}

QVariant SettingsFileStore::rawValue(const QString &key) const
{
    return m_values.value(key);
}

void SettingsFileStore::setRawValue(const QString &key, const QVariant &value)
{
    change(key, value);
}

void SettingsFileStore::change(const QString &key, const std::optional<QVariant> &value)
{
    prepareFirstChange();
    if (value) {
        m_values.insert(key, *value);
    } else {
        // As QSettings removes a key: with everything below it.
        const QString below = key + QLatin1Char('/');
        m_values.removeIf([&](const auto &entry) { return entry.key() == key || entry.key().startsWith(below); });
    }
    m_unwritten.append({key, value});
    m_flushTimer.start();
}

SettingsFileWriter &SettingsFileStore::writer()
{
    if (!m_writer) {
        m_writer = new SettingsFileWriter(m_fileName);
        m_writer->moveToThread(&m_writerThread);
        m_writerThread.setObjectName(QStringLiteral("Settings writer"));
        m_writerThread.start();
    }
    return *m_writer;
}

void SettingsFileStore::writeInBackground()
{
    if (m_unwritten.isEmpty())
        return;
    SettingsFileWriter *target = &writer();
    const quint64 batch = ++m_lastBatch;
    QMetaObject::invokeMethod(
        target,
        [this, target, batch, changes = std::exchange(m_unwritten, {})] {
            const bool ok = target->write(changes);
            QMetaObject::invokeMethod(&m_flushTimer, [this, batch, ok] { written(batch, ok); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

bool SettingsFileStore::flush()
{
    m_flushTimer.stop();
    if (m_unwritten.isEmpty() && m_lastKnownBatch == m_lastBatch && !m_lastWriteFailed)
        return true;
    SettingsFileWriter *target = &writer();
    const quint64 batch = ++m_lastBatch;
    bool ok = false;
    // Queued behind any batch still being written, so all of them are on disk after it.
    QMetaObject::invokeMethod(
        target, [&ok, target, changes = std::exchange(m_unwritten, {})] { ok = target->write(changes); },
        Qt::BlockingQueuedConnection);
    written(batch, ok);
    return ok;
}

void SettingsFileStore::written(quint64 batch, bool ok)
{
    if (batch < m_lastKnownBatch)
        return;
    m_lastKnownBatch = batch;
    m_lastWriteFailed = !ok;
    if (!ok) {
        reportFailure(QStringLiteral("Cannot save the settings to %1: it or its folder cannot be written, so changes "
                                     "made now are lost when Orvane quits.")
                          .arg(fileName()));
    } else if (!m_backupProblem.isEmpty()) {
        reportFailure(std::exchange(m_backupProblem, QString()));
    }
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
    const QString target = fileName() + QStringLiteral(".unreadable-") + stamp;
    if (QFile::copy(fileName(), target))
        m_setAsidePath = target;
}
