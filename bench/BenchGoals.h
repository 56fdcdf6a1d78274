#pragma once

// The goals a benchmark program is held to. Each program prints, as its last
// line, every goal's figure against its bound, so that a run answers at a
// glance whether the goals are met.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

struct BenchGoal
{
    // The run as Google Benchmark names it, up to its options ("typeAmongVariables/1").
    std::string run;
    // The counter held to the bound ("p95_ms"); empty for the time of one iteration, in the run's unit.
    std::string counter;
    double bound;
    // What the bound is, in words ("1.5 × 691 ns").
    std::string why;
};

inline std::vector<BenchGoal> &benchGoals()
{
    static std::vector<BenchGoal> goals;
    return goals;
}

// For a file's goals, at namespace scope: `const bool registered = addBenchGoals({...});`.
inline bool addBenchGoals(const std::vector<BenchGoal> &goals)
{
    benchGoals().insert(benchGoals().end(), goals.begin(), goals.end());
    return true;
}

class GoalReporter final : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const std::string name = run.benchmark_name();
            for (const BenchGoal &goal : benchGoals()) {
                if (run.run_type != Run::RT_Iteration || (name != goal.run && name.rfind(goal.run + "/", 0) != 0))
                    continue;
                const auto counter = run.counters.find(goal.counter);
                const bool byTime = goal.counter.empty();
                if (!byTime && counter == run.counters.end())
                    continue;
                const double figure = byTime ? run.GetAdjustedRealTime() : counter->second.value;
                const std::string unit = byTime ? benchmark::GetTimeUnitString(run.time_unit) : goal.counter;
                char text[400];
                std::snprintf(text, sizeof text, "%s %s %.3g %s, goal <= %.4g (%s): %s", goal.run.c_str(),
                              byTime ? "time" : goal.counter.c_str(), figure, byTime ? unit.c_str() : "",
                              goal.bound, goal.why.c_str(), figure <= goal.bound ? "met" : "MISSED");
                m_verdicts.push_back(text);
            }
        }
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        if (m_verdicts.empty())
            return;
        std::string line = "goals:";
        for (const std::string &verdict : m_verdicts)
            line += (line.size() > 6 ? "; " : " ") + verdict;
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }

private:
    std::vector<std::string> m_verdicts;
};

inline void runBenchmarksWithGoals(int *argc, char **argv)
{
    benchmark::Initialize(argc, argv);
    GoalReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
