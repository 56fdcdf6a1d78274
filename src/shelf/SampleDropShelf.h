#pragma once

class AppState;
class KeyValueStore;

// Fills an empty shelf with three sample items, once per user account.
void seedSampleDropShelfIfNeeded(AppState &state, KeyValueStore &store);
