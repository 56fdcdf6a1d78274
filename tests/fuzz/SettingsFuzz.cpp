// libFuzzer target over the settings file: any file at the settings path is
// read through the settings store the way a start reads it (the settings,
// the tab list, the stored exchange rates), and never written.
#include "math/CurrencyEngine.h"
#include "platform/qt/SettingsFileStore.h"
#include "state/Settings.h"
#include "state/SettingsStorage.h"
#include "web/TabListJson.h"

#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    static quint64 run = 0;
    // A new name each time: QSettings keeps files it has read by name, and a
    // rewrite within the same second can look unchanged to it.
    const QString path = folder.filePath(QStringLiteral("Orvane-%1.conf").arg(++run));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(reinterpret_cast<const char *>(data), qint64(size));
    }
    {
        SettingsFileStore store(path);
        Settings settings;
        SettingsStorage::load(store, settings);
        if (const auto tabs = store.dataValue(QStringLiteral("Orvane_Tabs")))
            TabListJson::decode(*tabs, QDateTime::fromMSecsSinceEpoch(1780000000000, Qt::UTC));
        // Whatever the file holds, every rate in use converts.
        const CurrencyEngine currency(store);
        for (const char *code : {"USD", "EUR", "GBP", "INR", "JPY", "CAD", "AUD", "CHF", "CNY", "SGD", "NZD", "AED"}) {
            const double rate = currency.rateToUSD(QString::fromLatin1(code));
            if (!std::isfinite(rate) || rate <= 0)
                std::abort();
        }
    }
    QFile::remove(path);
    return 0;
}
