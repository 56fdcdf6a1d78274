#include "shelf/ByteCount.h"

#include <QLocale>

#include <cmath>

namespace {
struct Unit
{
    const char *name;
    double size;
    int decimals;
};

// Rounds to the unit's decimals and drops zeros that carry no information.
QString formatInUnit(double bytes, const Unit &unit)
{
    const double scale = std::pow(10.0, unit.decimals);
    const double value = std::round(bytes / unit.size * scale) / scale;
    QString number = QLocale().toString(value, 'f', unit.decimals);
    if (unit.decimals > 0) {
        const QChar point = QLocale().decimalPoint().at(0);
        while (number.endsWith(QLatin1Char('0')))
            number.chop(1);
        if (number.endsWith(point))
            number.chop(1);
    }
    return number + QLatin1Char(' ') + QLatin1String(unit.name);
}
} // namespace

namespace ByteCount {

QString format(qint64 bytes)
{
    if (bytes == 1)
        return QStringLiteral("1 byte");
    if (bytes < 1000)
        return QLocale().toString(bytes) + QStringLiteral(" bytes");
    static constexpr Unit units[] = {{"KB", 1e3, 0}, {"MB", 1e6, 1}, {"GB", 1e9, 2}, {"TB", 1e12, 2}, {"PB", 1e15, 2}};
    const double value = double(bytes);
    for (std::size_t i = 0; i + 1 < std::size(units); ++i) {
        // 999,600 bytes round to 1,000 KB: show that as 1 MB instead.
        const double scale = std::pow(10.0, units[i].decimals);
        if (std::round(value / units[i].size * scale) / scale < 1000)
            return formatInUnit(value, units[i]);
    }
    return formatInUnit(value, units[std::size(units) - 1]);
}

} // namespace ByteCount
