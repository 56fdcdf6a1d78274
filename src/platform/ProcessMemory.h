#pragma once

#include <QtGlobal>

#include <optional>

// The process's own memory use, as the operating system reports it.
class ProcessMemory
{
public:
    virtual ~ProcessMemory() = default;
    ProcessMemory() = default;
    ProcessMemory(const ProcessMemory &) = delete;
    ProcessMemory &operator=(const ProcessMemory &) = delete;

    // Memory the process is charged for (private, shared-anonymous and swapped pages).
    virtual std::optional<quint64> footprintBytes() const = 0;
    // Resident set size.
    virtual std::optional<quint64> residentBytes() const = 0;
};

// Whole MiB, rounded down: the footprint when it is known and non-zero, else
// the resident size, else 34. Anything under 1 MiB shows as 1.
int memoryMegabytes(const ProcessMemory &memory);
