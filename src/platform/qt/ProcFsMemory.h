#pragma once

#include "platform/ProcessMemory.h"

#include <QByteArray>

// Memory figures from /proc. The footprint is read from /proc/self/status
// (anonymous + shared-anonymous resident pages + swap), which is cheap enough
// for the main thread, unlike smaps_rollup, which walks the page tables.
class ProcFsMemory final : public ProcessMemory
{
public:
    std::optional<quint64> footprintBytes() const override;
    std::optional<quint64> residentBytes() const override;

    // Parsers for the two files' contents, for tests.
    static std::optional<quint64> footprintFromStatus(const QByteArray &status);
    static std::optional<quint64> residentFromStatm(const QByteArray &statm, quint64 pageSize);
};
