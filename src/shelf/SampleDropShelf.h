#pragma once

class DropShelfModel;
class KeyValueStore;

// Fills an empty shelf with three sample items, once per user account.
void seedSampleDropShelfIfNeeded(DropShelfModel &shelf, KeyValueStore &store);
