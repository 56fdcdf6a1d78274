#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

// Median, 95th percentile and worst of the measured times, as counters.
inline void reportLatencies(benchmark::State &state, std::vector<double> milliseconds)
{
    std::sort(milliseconds.begin(), milliseconds.end());
    state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
    state.counters["p95_ms"] = milliseconds[milliseconds.size() * 95 / 100];
    state.counters["max_ms"] = milliseconds.back();
}
