#include "platform/qt/ProcFsMemory.h"

#include <QFile>
#include <QList>

#include <unistd.h>

namespace {
QByteArray readProcFile(const char *path)
{
    QFile file(QString::fromLatin1(path));
    // Files in /proc report size 0, so read until the end rather than by size.
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

std::optional<quint64> ProcFsMemory::footprintBytes() const
{
    return footprintFromStatus(readProcFile("/proc/self/status"));
}

std::optional<quint64> ProcFsMemory::residentBytes() const
{
    return residentFromStatm(readProcFile("/proc/self/statm"), quint64(sysconf(_SC_PAGESIZE)));
}

std::optional<quint64> ProcFsMemory::footprintFromStatus(const QByteArray &status)
{
    static const QList<QByteArray> fields = {"RssAnon:", "RssShmem:", "VmSwap:"};
    quint64 kilobytes = 0;
    int found = 0;
    for (const QByteArray &line : status.split('\n')) {
        for (const QByteArray &field : fields) {
            if (!line.startsWith(field))
                continue;
            const QList<QByteArray> parts = line.mid(field.size()).simplified().split(' ');
            bool ok = false;
            const quint64 value = parts.value(0).toULongLong(&ok);
            if (ok && parts.value(1) == "kB") {
                kilobytes += value;
                ++found;
            }
        }
    }
    // RssAnon is the one field every kernel with these lines reports.
    if (found == 0 || !status.contains("RssAnon:"))
        return std::nullopt;
    return kilobytes * 1024;
}

std::optional<quint64> ProcFsMemory::residentFromStatm(const QByteArray &statm, quint64 pageSize)
{
    const QList<QByteArray> fields = statm.simplified().split(' ');
    bool ok = false;
    const quint64 pages = fields.value(1).toULongLong(&ok);
    return ok && pageSize > 0 ? std::optional(pages * pageSize) : std::nullopt;
}
