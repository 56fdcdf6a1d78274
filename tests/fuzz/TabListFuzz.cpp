// libFuzzer target over the stored tab list: any bytes under "Orvane_Tabs"
// must read without crashing, and what was read must save and read back to
// the same saved form (a save and a load never drift apart).
#include "web/TabListJson.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    const QDateTime now = QDateTime::fromMSecsSinceEpoch(1780000000000, Qt::UTC);
    const auto tabs = TabListJson::decode(bytes, now);
    if (!tabs)
        return 0;
    const QByteArray saved = TabListJson::encode(*tabs);
    const auto reread = TabListJson::decode(saved, now);
    if (!reread || TabListJson::encode(*reread) != saved)
        std::abort();
    return 0;
}
