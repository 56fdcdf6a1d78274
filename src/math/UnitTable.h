#pragma once

#include <QString>

#include <optional>

// The units a note's amounts may carry: length, mass, time, data and
// temperature. Each converts to its dimension's base unit as
// base = amount * factor + offset (the offset only for temperatures).
namespace UnitTable {

enum class Dimension { Length, Mass, Time, Data, Temperature };

struct Unit
{
    const char16_t *symbol; // as answers show it
    Dimension dimension;
    double factor;
    double offset = 0;
};

// The unit a word names ("km", "miles", "°F", "GiB"); words of two letters or
// more in any case, single letters (m, g, s, h, B, K) only as written.
const Unit *find(QStringView word);
// The unit whose symbol this is, as a quantity of a note keeps it.
const Unit *bySymbol(const QString &symbol);
// `amount` of `from` in `to`; nothing across dimensions.
std::optional<double> convert(double amount, const Unit &from, const Unit &to);

} // namespace UnitTable
