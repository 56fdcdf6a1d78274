// The main of the benchmarks that need real windows (make bench runs them
// under Xvfb).
#include "BenchGoals.h"
#include "GuiBenchSetup.h"

#include <QApplication>

int main(int argc, char **argv)
{
    const auto home = setUpGuiBench();
    QApplication app(argc, argv);
    runBenchmarksWithGoals(&argc, argv);
    return 0;
}
