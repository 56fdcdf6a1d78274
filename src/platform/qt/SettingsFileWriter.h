#pragma once

#include <QList>
#include <QObject>
#include <QSettings>
#include <QVariant>

#include <optional>

// Writes changes to the settings file on a thread of its own, so that
// rewriting and syncing the whole file (milliseconds for a long note) never
// holds up the interface. Lives on that thread; each batch is written in the
// order it was handed over.
class SettingsFileWriter final : public QObject
{
    Q_OBJECT

public:
    struct Change
    {
        QString key;
        // Nothing: the key is removed.
        std::optional<QVariant> value;
    };

    explicit SettingsFileWriter(const QString &filePath);

    // Applies the changes and replaces the file. False when it could not be
    // written; the changes are kept and go out with the next batch.
    bool write(const QList<Change> &changes);

private:
    QSettings m_settings;
};
