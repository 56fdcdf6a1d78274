#pragma once

#include "platform/KeyValueStore.h"
#include "platform/qt/SettingsFileWriter.h"

#include <QHash>
#include <QThread>
#include <QTimer>

// The settings file (~/.config/Orvane/Orvane.conf), read once at the start
// and kept in memory. QSettings replaces the file atomically on every sync,
// so a crash mid-write leaves the old file. Changes are handed to a writer
// thread at the next turn of the event loop, so the interface never waits for
// the disk, or written at once by flush().
class SettingsFileStore final : public KeyValueStore
{
public:
    explicit SettingsFileStore(const QString &filePath = defaultFilePath());
    ~SettingsFileStore() override;

    static QString defaultFilePath();
    QString fileName() const { return m_fileName; }
    // Where the file was copied before this run's first change: Orvane.conf.bak.
    QString backupPath() const { return fileName() + QStringLiteral(".bak"); }
    // Where an unparsable settings file was copied before the first write, if it was.
    QString setAsidePath() const { return m_setAsidePath; }

    // Writes the changes not written yet and waits until they are on disk.
    // False when they could not be; the first failure of a run is also said
    // on standard error.
    bool flush();

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
    void change(const QString &key, const std::optional<QVariant> &value);
    void writeInBackground();
    SettingsFileWriter &writer();
    void written(quint64 batch, bool ok);
    void prepareFirstChange();
    void setAsideUnparsableFile();
    void keepBackup();
    void reportFailure(const QString &line);

    QString m_fileName;
    QHash<QString, QVariant> m_values;
    QList<SettingsFileWriter::Change> m_unwritten;
    QThread m_writerThread;
    SettingsFileWriter *m_writer = nullptr;
    // Batches are numbered as they are handed over; a background result
    // older than the last one known (a flush's) is not news.
    quint64 m_lastBatch = 0;
    quint64 m_lastKnownBatch = 0;
    bool m_lastWriteFailed = false;
    QTimer m_flushTimer;
    bool m_fileIsUnparsable = false;
    bool m_changedThisRun = false;
    bool m_reportedFailure = false;
    QString m_setAsidePath;
    QString m_backupProblem;
};
