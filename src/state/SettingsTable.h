#pragma once

#include "state/Settings.h"

#include <limits>

class KeyValueStore;

// Every persisted setting in one table: its key, its member of Settings (whose
// initialiser is the default), the values it accepts, what must follow a
// change, and whether "Restore defaults" resets it. Loading, saving, restoring
// defaults and assignment all walk this table, so adding a setting is one row
// here and one member in Settings.
namespace SettingsTable {

// What has to happen, after the change is saved, when a setting is assigned.
enum class FollowUp { None, PanelWidth, DockEdge, EdgeIndicator, SystemTheme };

// The numbers a setting accepts: at least (or, when not inclusive, above)
// `minimum`, and at most `maximum`.
struct Range
{
    double minimum = -std::numeric_limits<double>::infinity();
    bool inclusive = true;
    double maximum = std::numeric_limits<double>::infinity();
};

template<typename T>
struct Field
{
    const char *key;
    T Settings::*member;
    Range accepts;
    FollowUp followUp = FollowUp::None;
    bool restoredByDefaults = true;
};

// Visits every field in the order the settings are written.
template<typename Visitor>
void forEach(Visitor &&visit)
{
    using F = FollowUp;
    visit(Field<bool>{"Orvane_isPinned", &Settings::isPinned, {}});
    visit(Field<double>{"Orvane_panelWidth", &Settings::panelWidth, {Settings::minimumPanelWidth, true, Settings::maximumPanelWidth},
                        F::PanelWidth});
    visit(Field<std::optional<double>>{"Orvane_panelCustomHeight", &Settings::panelCustomHeight, {100, false}});
    visit(Field<std::optional<double>>{"Orvane_panelTopOffset", &Settings::panelTopOffset, {0}});
    // Restoring defaults turns following off rather than back on.
    visit(Field<bool>{"Orvane_followSystemTheme", &Settings::followSystemTheme, {}, F::SystemTheme, false});
    visit(Field<double>{"Orvane_animationDuration", &Settings::animationDuration, {0, false}});
    visit(Field<QString>{"Orvane_animationCurve", &Settings::animationCurve, {}});
    visit(Field<bool>{"Orvane_autoHideOnMouseExit", &Settings::autoHideOnMouseExit, {}});
    visit(Field<double>{"Orvane_autoHideDelay", &Settings::autoHideDelay, {0}});
    visit(Field<bool>{"Orvane_edgeHoverEnabled", &Settings::edgeHoverEnabled, {}, F::None, false});
    visit(Field<bool>{"Orvane_showDeviceToggleInHeader", &Settings::showDeviceToggleInHeader, {}});
    visit(Field<bool>{"Orvane_showEdgeIndicator", &Settings::showEdgeIndicator, {}, F::EdgeIndicator});
    visit(Field<bool>{"Orvane_edgeRetouchToHide", &Settings::edgeRetouchToHide, {}});
    visit(Field<AppThemeMode>{"Orvane_currentTheme", &Settings::currentTheme, {}});
    visit(Field<RailSidePreference>{"Orvane_railSidePreference", &Settings::railSidePreference, {}});
    visit(Field<ScreenDockEdge>{"Orvane_screenDockEdge", &Settings::screenDockEdge, {}, F::DockEdge});
    visit(Field<bool>{"Orvane_showMemoryInFooter", &Settings::showMemoryInFooter, {}});
}

// The value as the setting takes it: numbers that are not finite are refused;
// below the range, an inclusive minimum is taken instead and anything else is
// refused; above it, the maximum is taken. Values of other types are taken as
// they are.
std::optional<double> accepted(double value, const Range &range);
inline std::optional<std::optional<double>> accepted(const std::optional<double> &value, const Range &range)
{
    if (!value)
        return value;
    if (const auto number = accepted(*value, range))
        return std::optional<double>(*number);
    return std::nullopt;
}
template<typename T>
std::optional<T> accepted(const T &value, const Range &)
{
    return value;
}

// The stored value when it is there, of the right type and accepted: stored
// numbers below the range are ignored, not clamped; above it, the maximum is
// taken, as an assignment takes it.
std::optional<bool> read(const KeyValueStore &store, const QString &key, bool *);
std::optional<double> read(const KeyValueStore &store, const QString &key, double *, const Range &range);
std::optional<std::optional<double>> read(const KeyValueStore &store, const QString &key, std::optional<double> *,
                                          const Range &range);
std::optional<QString> read(const KeyValueStore &store, const QString &key, QString *);
std::optional<AppThemeMode> read(const KeyValueStore &store, const QString &key, AppThemeMode *);
std::optional<RailSidePreference> read(const KeyValueStore &store, const QString &key, RailSidePreference *);
std::optional<ScreenDockEdge> read(const KeyValueStore &store, const QString &key, ScreenDockEdge *);

void write(KeyValueStore &store, const QString &key, bool value);
void write(KeyValueStore &store, const QString &key, double value);
// No value removes the key.
void write(KeyValueStore &store, const QString &key, const std::optional<double> &value);
void write(KeyValueStore &store, const QString &key, const QString &value);
void write(KeyValueStore &store, const QString &key, AppThemeMode value);
void write(KeyValueStore &store, const QString &key, RailSidePreference value);
void write(KeyValueStore &store, const QString &key, ScreenDockEdge value);

// Applies every stored value that is accepted; the rest keep their values.
void load(const KeyValueStore &store, Settings &settings);
// Writes every key, every time.
void save(const Settings &settings, KeyValueStore &store);

} // namespace SettingsTable
