#include "platform/qt/SettingsFileWriter.h"

SettingsFileWriter::SettingsFileWriter(const QString &filePath) : m_settings(filePath, QSettings::IniFormat, this) {}

bool SettingsFileWriter::write(const QList<Change> &changes)
{
    for (const Change &change : changes) {
        if (change.value)
            m_settings.setValue(change.key, *change.value);
        else
            m_settings.remove(change.key);
    }
    m_settings.sync();
    // A status of FormatError (the file as read at start) hides a later
    // AccessError, so whether the file can be written is asked as well.
    return m_settings.status() != QSettings::AccessError && m_settings.isWritable();
}
