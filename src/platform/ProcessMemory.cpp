#include "platform/ProcessMemory.h"

#include <algorithm>

int memoryMegabytes(const ProcessMemory::Reading &reading)
{
    static constexpr quint64 oneMiB = 1 << 20;
    const auto wholeMiB = [](quint64 bytes) { return int(std::max(bytes, oneMiB) >> 20); };
    if (reading.proportionalBytes && *reading.proportionalBytes > 0)
        return wholeMiB(*reading.proportionalBytes);
    if (reading.residentBytes)
        return wholeMiB(*reading.residentBytes);
    return 34;
}
