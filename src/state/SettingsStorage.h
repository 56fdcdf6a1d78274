#pragma once

class KeyValueStore;
struct Settings;

// Reading and writing the seventeen "Orvane_" settings keys.
namespace SettingsStorage {

// Applies every stored value that passes its acceptance rule; anything
// missing, ill-typed or out of range leaves the value in `settings` as it is.
void load(const KeyValueStore &store, Settings &settings);
// Writes all seventeen keys, every time.
void save(const Settings &settings, KeyValueStore &store);

} // namespace SettingsStorage
