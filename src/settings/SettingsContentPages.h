#pragma once

class AppState;
class QWidget;
class SettingsScreen;

// The pages of the settings' CONTENT section.
namespace SettingsContentPages {

QWidget *memory(SettingsScreen &screen, AppState &state);
QWidget *dropShelf(SettingsScreen &screen, AppState &state);

} // namespace SettingsContentPages
