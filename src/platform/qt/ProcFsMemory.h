#pragma once

#include "platform/ProcessMemory.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Memory figures from /proc for this process and all its descendants: the web
// engine's zygote processes are its children, and the renderers of its pages
// the zygotes' children. Reading smaps_rollup walks each process's page
// tables (about 15 ms for a panel with a few pages), so readings are taken
// on a worker thread.
class ProcFsMemory final : public ProcessMemory
{
public:
    void read(std::function<void(const Reading &)> done) override;

    // A process and its descendants under a folder laid out like /proc,
    // read on the calling thread.
    static Reading readTree(const QString &procFolder, qint64 rootPid);
    // The process and its descendants, the process first.
    static QList<qint64> processTree(const QString &procFolder, qint64 rootPid);

    // Parsers for the files' contents, for tests.
    static std::optional<qint64> parentFromStat(const QByteArray &stat);
    static std::optional<quint64> proportionalFromSmapsRollup(const QByteArray &rollup);
    static std::optional<quint64> residentFromStatm(const QByteArray &statm, quint64 pageSize);
};
