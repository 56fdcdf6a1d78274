#pragma once

#include <functional>

// Runs the event loop (so that windows, pages and servers in this process
// keep working) until the condition holds or the time is up; says whether it
// held. Between turns it rests a moment, leaving the machine to the programs
// a test waits for.
bool spinUntil(const std::function<bool()> &condition, int timeoutMs = 15000);
// Runs the event loop for that long.
void spinFor(int ms);
// True when the condition holds throughout `durationMs`.
bool holdsFor(const std::function<bool()> &condition, int durationMs);
