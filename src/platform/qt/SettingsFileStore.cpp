#include "platform/qt/SettingsFileStore.h"

#include <QDateTime>
#include <QFile>
#include <QStandardPaths>

SettingsFileStore::SettingsFileStore(const QString &filePath)
    : m_settings(filePath, QSettings::IniFormat)
    , m_fileIsUnparsable(m_settings.status() == QSettings::FormatError)
{
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
    setAsideUnparsableFile();
    m_settings.remove(key);
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
    setAsideUnparsableFile();
    m_settings.setValue(key, value);
}

// QSettings rewrites the whole file from what it could parse, so a file it
// could not parse would lose everything else in it. Keep a copy beside it.
void SettingsFileStore::setAsideUnparsableFile()
{
    if (!m_fileIsUnparsable)
        return;
    m_fileIsUnparsable = false;
    const QString stamp = QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    const QString target = m_settings.fileName() + QStringLiteral(".unreadable-") + stamp;
    if (QFile::copy(m_settings.fileName(), target))
        m_setAsidePath = target;
}
