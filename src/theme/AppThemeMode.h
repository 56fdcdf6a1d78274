#pragma once

#include <QString>

#include <array>
#include <optional>

enum class AppThemeMode { Paper, Midnight, Ember, Nickel, Phosphor, Aubergine, Sage, Blueprint };

inline constexpr std::array allThemeModes = {
    AppThemeMode::Paper, AppThemeMode::Midnight, AppThemeMode::Ember, AppThemeMode::Nickel,
    AppThemeMode::Phosphor, AppThemeMode::Aubergine, AppThemeMode::Sage, AppThemeMode::Blueprint,
};

// Names kept from earlier versions of the theme list.
namespace LegacyTheme {
inline constexpr AppThemeMode aurora = AppThemeMode::Midnight;
inline constexpr AppThemeMode inkAndRule = AppThemeMode::Ember;
} // namespace LegacyTheme

// The raw value is also the display name and the stored form.
QString rawValue(AppThemeMode theme);
QString subtitle(AppThemeMode theme);
bool isLight(AppThemeMode theme);
// Exact, case-sensitive.
std::optional<AppThemeMode> themeFromRaw(const QString &raw);
// A raw value, or one of the earlier names a stored setting may still hold.
std::optional<AppThemeMode> themeFromStored(const QString &stored);
