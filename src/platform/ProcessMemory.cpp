#include "platform/ProcessMemory.h"

#include <algorithm>

int memoryMegabytes(const ProcessMemory &memory)
{
    static constexpr quint64 oneMiB = 1 << 20;
    const auto wholeMiB = [](quint64 bytes) { return int(std::max(bytes, oneMiB) >> 20); };
    if (const auto footprint = memory.footprintBytes(); footprint && *footprint > 0)
        return wholeMiB(*footprint);
    if (const auto resident = memory.residentBytes())
        return wholeMiB(*resident);
    return 34;
}
