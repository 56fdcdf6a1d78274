#pragma once

#include "platform/KeyValueStore.h"

#include <QSettings>

// The settings file (~/.config/Orvane/Orvane.conf). QSettings replaces the
// file atomically on every sync, so a crash mid-write leaves the old file.
class SettingsFileStore final : public KeyValueStore
{
public:
    explicit SettingsFileStore(const QString &filePath = defaultFilePath());

    static QString defaultFilePath();
    // Where an unparsable settings file was copied before the first write, if it was.
    QString setAsidePath() const { return m_setAsidePath; }

    bool contains(const QString &key) const override;
    std::optional<bool> boolValue(const QString &key) const override;
    std::optional<double> doubleValue(const QString &key) const override;
    std::optional<QString> stringValue(const QString &key) const override;
    std::optional<QByteArray> dataValue(const QString &key) const override;

    void setBool(const QString &key, bool value) override;
    void setDouble(const QString &key, double value) override;
    void setString(const QString &key, const QString &value) override;
    void setData(const QString &key, const QByteArray &value) override;
    void remove(const QString &key) override;
    QVariant rawValue(const QString &key) const override;
    void setRawValue(const QString &key, const QVariant &value) override;

private:
    void write(const QString &key, const QVariant &value);
    void setAsideUnparsableFile();

    QSettings m_settings;
    bool m_fileIsUnparsable = false;
    QString m_setAsidePath;
};
