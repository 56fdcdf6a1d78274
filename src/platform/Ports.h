#pragma once

class Clock;
class KeyValueStore;
class ProcessMemory;
class SystemAppearance;

// The outside world as the long-lived services see it. The program installs
// its implementations once at start-up, before any service is first used;
// tests hand fakes straight to the constructors instead.
struct Ports
{
    Clock &clock;
    KeyValueStore &store;
    SystemAppearance &appearance;
    ProcessMemory &memory;
};

void installPorts(const Ports &ports);
// The installed ports; calling this before installPorts() is a programming error.
const Ports &installedPorts();
