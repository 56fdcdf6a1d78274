#include "state/SettingsStorage.h"

#include "platform/KeyValueStore.h"
#include "state/Settings.h"

#include <cmath>

namespace {
const QString isPinnedKey = QStringLiteral("Orvane_isPinned");
const QString panelWidthKey = QStringLiteral("Orvane_panelWidth");
const QString panelCustomHeightKey = QStringLiteral("Orvane_panelCustomHeight");
const QString panelTopOffsetKey = QStringLiteral("Orvane_panelTopOffset");
const QString followSystemThemeKey = QStringLiteral("Orvane_followSystemTheme");
const QString animationDurationKey = QStringLiteral("Orvane_animationDuration");
const QString animationCurveKey = QStringLiteral("Orvane_animationCurve");
const QString autoHideOnMouseExitKey = QStringLiteral("Orvane_autoHideOnMouseExit");
const QString autoHideDelayKey = QStringLiteral("Orvane_autoHideDelay");
const QString edgeHoverEnabledKey = QStringLiteral("Orvane_edgeHoverEnabled");
const QString showDeviceToggleInHeaderKey = QStringLiteral("Orvane_showDeviceToggleInHeader");
const QString showEdgeIndicatorKey = QStringLiteral("Orvane_showEdgeIndicator");
const QString edgeRetouchToHideKey = QStringLiteral("Orvane_edgeRetouchToHide");
const QString currentThemeKey = QStringLiteral("Orvane_currentTheme");
const QString railSidePreferenceKey = QStringLiteral("Orvane_railSidePreference");
const QString screenDockEdgeKey = QStringLiteral("Orvane_screenDockEdge");
const QString showMemoryInFooterKey = QStringLiteral("Orvane_showMemoryInFooter");

void loadBool(const KeyValueStore &store, const QString &key, bool &target)
{
    if (const auto value = store.boolValue(key))
        target = *value;
}

// A hand-edited "inf" or "nan" would pass a bare comparison (or fail it
// silently in odd ways) and then break every geometry computed from it.
template<typename Accept>
std::optional<double> acceptedDouble(const KeyValueStore &store, const QString &key, Accept accept)
{
    const auto value = store.doubleValue(key);
    if (value && std::isfinite(*value) && accept(*value))
        return value;
    return std::nullopt;
}

template<typename Target, typename Accept>
void loadDouble(const KeyValueStore &store, const QString &key, Target &target, Accept accept)
{
    if (const auto value = acceptedDouble(store, key, accept))
        target = *value;
}

template<typename Enum, typename Parse>
void loadEnum(const KeyValueStore &store, const QString &key, Enum &target, Parse parse)
{
    if (const auto text = store.stringValue(key)) {
        if (const auto value = parse(*text))
            target = *value;
    }
}

void saveOptionalDouble(KeyValueStore &store, const QString &key, const std::optional<double> &value)
{
    if (value)
        store.setDouble(key, *value);
    else
        store.remove(key);
}
} // namespace

namespace SettingsStorage {

void load(const KeyValueStore &store, Settings &s)
{
    loadEnum(store, screenDockEdgeKey, s.screenDockEdge, screenDockEdgeFromRaw);
    loadEnum(store, currentThemeKey, s.currentTheme, themeFromStored);
    loadBool(store, followSystemThemeKey, s.followSystemTheme);
    loadEnum(store, railSidePreferenceKey, s.railSidePreference, railSidePreferenceFromRaw);
    loadBool(store, showMemoryInFooterKey, s.showMemoryInFooter);
    loadBool(store, isPinnedKey, s.isPinned);
    loadDouble(store, panelWidthKey, s.panelWidth, [](double v) { return v >= 300; });
    loadDouble(store, panelCustomHeightKey, s.panelCustomHeight, [](double v) { return v > 100; });
    loadDouble(store, panelTopOffsetKey, s.panelTopOffset, [](double v) { return v >= 0; });
    loadDouble(store, animationDurationKey, s.animationDuration, [](double v) { return v > 0; });
    if (const auto curve = store.stringValue(animationCurveKey))
        s.animationCurve = *curve;
    loadBool(store, autoHideOnMouseExitKey, s.autoHideOnMouseExit);
    loadDouble(store, autoHideDelayKey, s.autoHideDelay, [](double v) { return v >= 0; });
    loadBool(store, edgeHoverEnabledKey, s.edgeHoverEnabled);
    loadBool(store, showDeviceToggleInHeaderKey, s.showDeviceToggleInHeader);
    loadBool(store, showEdgeIndicatorKey, s.showEdgeIndicator);
    loadBool(store, edgeRetouchToHideKey, s.edgeRetouchToHide);
}

void save(const Settings &s, KeyValueStore &store)
{
    store.setBool(isPinnedKey, s.isPinned);
    store.setDouble(panelWidthKey, s.panelWidth);
    saveOptionalDouble(store, panelCustomHeightKey, s.panelCustomHeight);
    saveOptionalDouble(store, panelTopOffsetKey, s.panelTopOffset);
    store.setBool(followSystemThemeKey, s.followSystemTheme);
    store.setDouble(animationDurationKey, s.animationDuration);
    store.setString(animationCurveKey, s.animationCurve);
    store.setBool(autoHideOnMouseExitKey, s.autoHideOnMouseExit);
    store.setDouble(autoHideDelayKey, s.autoHideDelay);
    store.setBool(edgeHoverEnabledKey, s.edgeHoverEnabled);
    store.setBool(showDeviceToggleInHeaderKey, s.showDeviceToggleInHeader);
    store.setBool(showEdgeIndicatorKey, s.showEdgeIndicator);
    store.setBool(edgeRetouchToHideKey, s.edgeRetouchToHide);
    store.setString(currentThemeKey, rawValue(s.currentTheme));
    store.setString(railSidePreferenceKey, rawValue(s.railSidePreference));
    store.setString(screenDockEdgeKey, rawValue(s.screenDockEdge));
    store.setBool(showMemoryInFooterKey, s.showMemoryInFooter);
}

} // namespace SettingsStorage
