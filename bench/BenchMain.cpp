// The main of the benchmarks that need no display.
#include "BenchGoals.h"

int main(int argc, char **argv)
{
    runBenchmarksWithGoals(&argc, argv);
    return 0;
}
