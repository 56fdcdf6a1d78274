#include "platform/qt/ProcFsMemory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMultiHash>
#include <QSet>
#include <QThreadPool>

#include <unistd.h>

namespace {

QByteArray readProcFile(const QString &procFolder, qint64 pid, const char *file)
{
    QFile in(procFolder + QLatin1Char('/') + QString::number(pid) + QLatin1Char('/') + QLatin1String(file));
    // Files in /proc report size 0, so read until the end rather than by size.
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
}

} // namespace

void ProcFsMemory::read(std::function<void(const Reading &)> done)
{
    const qint64 self = QCoreApplication::applicationPid();
    QThreadPool::globalInstance()->start([self, done = std::move(done)] {
        const Reading reading = readTree(QStringLiteral("/proc"), self);
        QMetaObject::invokeMethod(QCoreApplication::instance(), [reading, done] { done(reading); }, Qt::QueuedConnection);
    });
}

ProcessMemory::Reading ProcFsMemory::readTree(const QString &procFolder, qint64 rootPid)
{
    const QList<qint64> tree = processTree(procFolder, rootPid);
    const quint64 pageSize = quint64(sysconf(_SC_PAGESIZE));
    // The process's own figures decide whether there is one; a descendant
    // that ends while it is read counts no more.
    Reading reading{proportionalFromSmapsRollup(readProcFile(procFolder, rootPid, "smaps_rollup")),
                    residentFromStatm(readProcFile(procFolder, rootPid, "statm"), pageSize)};
    for (qsizetype i = 1; i < tree.size(); ++i) {
        if (reading.proportionalBytes)
            *reading.proportionalBytes += proportionalFromSmapsRollup(readProcFile(procFolder, tree.at(i), "smaps_rollup")).value_or(0);
        if (reading.residentBytes)
            *reading.residentBytes += residentFromStatm(readProcFile(procFolder, tree.at(i), "statm"), pageSize).value_or(0);
    }
    return reading;
}

QList<qint64> ProcFsMemory::processTree(const QString &procFolder, qint64 rootPid)
{
    QMultiHash<qint64, qint64> children;
    const QStringList entries = QDir(procFolder).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        if (const auto parent = parentFromStat(readProcFile(procFolder, pid, "stat")))
            children.insert(*parent, pid);
    }
    // The files are read one after another, so a process id reused meanwhile
    // could close a loop: each process is taken once.
    QList<qint64> tree{rootPid};
    QSet<qint64> seen{rootPid};
    for (qsizetype next = 0; next < tree.size(); ++next) {
        for (const qint64 child : children.values(tree.at(next))) {
            if (!seen.contains(child)) {
                seen.insert(child);
                tree.append(child);
            }
        }
    }
    return tree;
}

std::optional<qint64> ProcFsMemory::parentFromStat(const QByteArray &stat)
{
    // "pid (name) state ppid …": the name may hold spaces and parentheses,
    // so the fields are counted from the last ")".
    const qsizetype nameEnd = stat.lastIndexOf(')');
    if (nameEnd < 0)
        return std::nullopt;
    const QList<QByteArray> fields = stat.mid(nameEnd + 1).simplified().split(' ');
    bool ok = false;
    const qint64 parent = fields.value(1).toLongLong(&ok);
    return ok ? std::optional(parent) : std::nullopt;
}

std::optional<quint64> ProcFsMemory::proportionalFromSmapsRollup(const QByteArray &rollup)
{
    for (const QByteArray &line : rollup.split('\n')) {
        if (!line.startsWith("Pss:"))
            continue;
        const QList<QByteArray> parts = line.mid(4).simplified().split(' ');
        bool ok = false;
        const quint64 kilobytes = parts.value(0).toULongLong(&ok);
        return ok && parts.value(1) == "kB" ? std::optional(kilobytes * 1024) : std::nullopt;
    }
    return std::nullopt;
}

std::optional<quint64> ProcFsMemory::residentFromStatm(const QByteArray &statm, quint64 pageSize)
{
    const QList<QByteArray> fields = statm.simplified().split(' ');
    bool ok = false;
    const quint64 pages = fields.value(1).toULongLong(&ok);
    return ok && pageSize > 0 ? std::optional(pages * pageSize) : std::nullopt;
}
