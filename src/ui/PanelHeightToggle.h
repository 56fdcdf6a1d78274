#pragma once

class SettingsModel;

// A double click on a drag handle: a full-height panel becomes a detached
// one three quarters as high, centred; a detached one goes back to full height.
namespace PanelHeightToggle {

inline constexpr double detachedShare = 0.75;

// `visibleHeight`: the height of the panel's screen without panels and docks.
void toggle(SettingsModel &settings, double visibleHeight);

} // namespace PanelHeightToggle
