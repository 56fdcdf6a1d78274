#pragma once

class AppState;
class QWidget;
class SettingsScreen;

// The pages of the settings' PANEL section.
namespace SettingsPanelPages {

QWidget *appearance(SettingsScreen &screen, AppState &state);
QWidget *positionAndSize(SettingsScreen &screen, AppState &state);
QWidget *motion(SettingsScreen &screen, AppState &state);

} // namespace SettingsPanelPages
