// The main of the benchmarks that need real windows (make bench runs them
// under Xvfb).
#include "GuiBenchSetup.h"

#include <QApplication>

#include <benchmark/benchmark.h>

int main(int argc, char **argv)
{
    const auto home = setUpGuiBench();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
