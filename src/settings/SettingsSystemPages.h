#pragma once

class AppState;
class QWidget;
class SettingsScreen;

// The pages of the settings' SYSTEM section.
namespace SettingsSystemPages {

QWidget *shortcuts(SettingsScreen &screen, AppState &state);
QWidget *permissions(SettingsScreen &screen, AppState &state);
QWidget *about(SettingsScreen &screen, AppState &state);

} // namespace SettingsSystemPages
