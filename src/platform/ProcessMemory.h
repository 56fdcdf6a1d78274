#pragma once

#include <QtGlobal>

#include <functional>
#include <optional>

// The memory used by the program and every process it started (the web
// engine's page processes), as the operating system reports it.
class ProcessMemory
{
public:
    virtual ~ProcessMemory() = default;
    ProcessMemory() = default;
    ProcessMemory(const ProcessMemory &) = delete;
    ProcessMemory &operator=(const ProcessMemory &) = delete;

    struct Reading
    {
        // Proportional set size: each resident page divided among the
        // processes that share it, so that adding processes up counts no page twice.
        std::optional<quint64> proportionalBytes;
        // Resident set size (a shared page counts in every process).
        std::optional<quint64> residentBytes;
    };

    // Takes a reading, away from the main thread where that is slow; `done`
    // gets it on the main thread.
    virtual void read(std::function<void(const Reading &)> done) = 0;
};

// Whole MiB, rounded down: the proportional size when it is known and
// non-zero, else the resident size, else 34. Anything under 1 MiB shows as 1.
int memoryMegabytes(const ProcessMemory::Reading &reading);
