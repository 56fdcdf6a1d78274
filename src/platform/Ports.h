#pragma once

class Clock;
class KeyValueStore;
class ProcessMemory;
class SystemAppearance;

// The outside world as the application state sees it: the program hands in
// its implementations, tests hand in fakes.
struct Ports
{
    Clock &clock;
    KeyValueStore &store;
    SystemAppearance &appearance;
    ProcessMemory &memory;
};
