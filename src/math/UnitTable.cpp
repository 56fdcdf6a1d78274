#include "math/UnitTable.h"

#include <QHash>

namespace {

using UnitTable::Dimension;
using UnitTable::Unit;

struct Entry
{
    Unit unit;
    QStringList aliases;
};

const QList<Entry> &entries()
{
    static const QList<Entry> table = {
        {{u"mm", Dimension::Length, 0.001}, {"millimeter", "millimeters", "millimetre", "millimetres"}},
        {{u"cm", Dimension::Length, 0.01}, {"centimeter", "centimeters", "centimetre", "centimetres"}},
        {{u"m", Dimension::Length, 1}, {"meter", "meters", "metre", "metres"}},
        {{u"km", Dimension::Length, 1000}, {"kilometer", "kilometers", "kilometre", "kilometres"}},
        {{u"in", Dimension::Length, 0.0254}, {"inch", "inches"}},
        {{u"ft", Dimension::Length, 0.3048}, {"foot", "feet"}},
        {{u"yd", Dimension::Length, 0.9144}, {"yard", "yards"}},
        {{u"mi", Dimension::Length, 1609.344}, {"mile", "miles"}},
        {{u"g", Dimension::Mass, 1}, {"gram", "grams"}},
        {{u"kg", Dimension::Mass, 1000}, {"kilogram", "kilograms", "kilo", "kilos"}},
        {{u"oz", Dimension::Mass, 28.349523125}, {"ounce", "ounces"}},
        {{u"lb", Dimension::Mass, 453.59237}, {"lbs"}},
        {{u"s", Dimension::Time, 1}, {"sec", "secs", "second", "seconds"}},
        {{u"min", Dimension::Time, 60}, {"mins", "minute", "minutes"}},
        {{u"h", Dimension::Time, 3600}, {"hr", "hrs", "hour", "hours"}},
        {{u"day", Dimension::Time, 86400}, {"days"}},
        {{u"week", Dimension::Time, 604800}, {"weeks"}},
        {{u"B", Dimension::Data, 1}, {"byte", "bytes"}},
        {{u"KB", Dimension::Data, 1e3}, {}},
        {{u"MB", Dimension::Data, 1e6}, {}},
        {{u"GB", Dimension::Data, 1e9}, {}},
        {{u"TB", Dimension::Data, 1e12}, {}},
        {{u"KiB", Dimension::Data, 1024.0}, {}},
        {{u"MiB", Dimension::Data, 1024.0 * 1024}, {}},
        {{u"GiB", Dimension::Data, 1024.0 * 1024 * 1024}, {}},
        {{u"TiB", Dimension::Data, 1024.0 * 1024 * 1024 * 1024}, {}},
        // Kelvin is the base: degrees Celsius are offset, Fahrenheit scaled and offset.
        {{u"K", Dimension::Temperature, 1}, {"kelvin"}},
        {{u"\u00B0C", Dimension::Temperature, 1, 273.15}, {"\u2103", "celsius"}},
        {{u"\u00B0F", Dimension::Temperature, 5.0 / 9.0, 459.67 * 5.0 / 9.0}, {"\u2109", "fahrenheit"}},
    };
    return table;
}

struct Index
{
    QHash<QString, const Unit *> exact;    // single letters and symbols as written
    QHash<QString, const Unit *> caseless; // longer words, lower case
};

const Index &index()
{
    static const Index built = [] {
        Index index;
        for (const Entry &entry : entries()) {
            QStringList words = entry.aliases;
            words.append(QString::fromUtf16(entry.unit.symbol));
            for (const QString &word : words) {
                index.exact.insert(word, &entry.unit);
                if (word.size() >= 2)
                    index.caseless.insert(word.toLower(), &entry.unit);
            }
        }
        return index;
    }();
    return built;
}

} // namespace

namespace UnitTable {

const Unit *find(QStringView word)
{
    const Index &units = index();
    if (const auto it = units.exact.constFind(word.toString()); it != units.exact.cend())
        return *it;
    if (word.size() < 2)
        return nullptr;
    const auto it = units.caseless.constFind(word.toString().toLower());
    return it == units.caseless.cend() ? nullptr : *it;
}

const Unit *bySymbol(const QString &symbol)
{
    for (const Entry &entry : entries()) {
        if (symbol == QStringView(entry.unit.symbol))
            return &entry.unit;
    }
    return nullptr;
}

std::optional<double> convert(double amount, const Unit &from, const Unit &to)
{
    if (from.dimension != to.dimension)
        return std::nullopt;
    if (&from == &to)
        return amount;
    return (amount * from.factor + from.offset - to.offset) / to.factor;
}

} // namespace UnitTable
