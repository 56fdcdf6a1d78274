#include "state/SettingsTable.h"

#include "platform/KeyValueStore.h"

#include <cmath>
#include <type_traits>

namespace SettingsTable {

std::optional<double> accepted(double value, const Range &range)
{
    if (!std::isfinite(value))
        return std::nullopt;
    if (value > range.maximum)
        return range.maximum;
    if (range.inclusive ? value >= range.minimum : value > range.minimum)
        return value;
    if (range.inclusive)
        return range.minimum;
    return std::nullopt;
}

namespace {
template<typename Enum>
std::optional<Enum> readEnum(const KeyValueStore &store, const QString &key,
                             std::optional<Enum> (*parse)(const QString &))
{
    if (const auto text = store.stringValue(key))
        return parse(*text);
    return std::nullopt;
}

bool meetsMinimum(double value, const Range &range)
{
    return std::isfinite(value) && (range.inclusive ? value >= range.minimum : value > range.minimum);
}
} // namespace

std::optional<bool> read(const KeyValueStore &store, const QString &key, bool *)
{
    return store.boolValue(key);
}

std::optional<double> read(const KeyValueStore &store, const QString &key, double *, const Range &range)
{
    const auto value = store.doubleValue(key);
    if (value && meetsMinimum(*value, range))
        return accepted(*value, range);
    return std::nullopt;
}

std::optional<std::optional<double>> read(const KeyValueStore &store, const QString &key, std::optional<double> *,
                                          const Range &range)
{
    if (const auto value = read(store, key, static_cast<double *>(nullptr), range))
        return std::optional<double>(*value);
    return std::nullopt;
}

std::optional<QString> read(const KeyValueStore &store, const QString &key, QString *)
{
    return store.stringValue(key);
}

std::optional<AppThemeMode> read(const KeyValueStore &store, const QString &key, AppThemeMode *)
{
    return readEnum(store, key, themeFromStored);
}

std::optional<RailSidePreference> read(const KeyValueStore &store, const QString &key, RailSidePreference *)
{
    return readEnum(store, key, Layout::railSidePreferenceFromRaw);
}

std::optional<ScreenDockEdge> read(const KeyValueStore &store, const QString &key, ScreenDockEdge *)
{
    return readEnum(store, key, Layout::screenDockEdgeFromRaw);
}

void write(KeyValueStore &store, const QString &key, bool value) { store.setBool(key, value); }
void write(KeyValueStore &store, const QString &key, double value) { store.setDouble(key, value); }
void write(KeyValueStore &store, const QString &key, const QString &value) { store.setString(key, value); }
void write(KeyValueStore &store, const QString &key, AppThemeMode value) { store.setString(key, rawValue(value)); }
void write(KeyValueStore &store, const QString &key, RailSidePreference value) { store.setString(key, rawValue(value)); }
void write(KeyValueStore &store, const QString &key, ScreenDockEdge value) { store.setString(key, rawValue(value)); }

void write(KeyValueStore &store, const QString &key, const std::optional<double> &value)
{
    if (value)
        store.setDouble(key, *value);
    else
        store.remove(key);
}

void load(const KeyValueStore &store, Settings &settings)
{
    forEach([&](const auto &field) {
        using T = std::remove_reference_t<decltype(settings.*field.member)>;
        const QString key = QString::fromLatin1(field.key);
        std::optional<T> value;
        if constexpr (std::is_same_v<T, double> || std::is_same_v<T, std::optional<double>>)
            value = read(store, key, static_cast<T *>(nullptr), field.accepts);
        else
            value = read(store, key, static_cast<T *>(nullptr));
        if (value)
            settings.*field.member = *value;
    });
}

void save(const Settings &settings, KeyValueStore &store)
{
    forEach([&](const auto &field) { write(store, QString::fromLatin1(field.key), settings.*field.member); });
}

} // namespace SettingsTable
