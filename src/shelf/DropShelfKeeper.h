#pragma once

#include "shelf/DropShelfFile.h"

#include <QObject>

#include <memory>

class Clock;
class DropShelfModel;
class TimerHandle;

// Keeps the shelf across runs and keeps its promise that items clear after
// 24 hours: the records are read once, written after every change, and a
// record staged more than a day ago goes (with the snippet file Orvane wrote
// for it) at start-up and at every minute. Files of the user's own are never
// touched.
class DropShelfKeeper final : public QObject
{
    Q_OBJECT

public:
    static constexpr qint64 lifetimeSeconds = 24 * 60 * 60;
    static constexpr double sweepIntervalSeconds = 60;

    // Puts the kept records behind any already on the shelf.
    DropShelfKeeper(DropShelfModel &shelf, Clock &clock, const QString &filePath = DropShelfFile::defaultPath(),
                    QObject *parent = nullptr);
    ~DropShelfKeeper() override;

    const DropShelfFile &file() const { return m_file; }
    // Whether what is on the shelf now is what the file holds.
    bool isSaved() const { return m_isSaved; }
    void removeExpired();

private:
    void save();

    DropShelfModel &m_shelf;
    Clock &m_clock;
    DropShelfFile m_file;
    bool m_isSaved = true;
    bool m_reportedSaveFailure = false;
    std::unique_ptr<TimerHandle> m_sweep;
};
