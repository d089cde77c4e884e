// Runs every benchmark (or those --benchmark_filter picks) and prints the summary table.
#include <benchmark/benchmark.h>

#include <iostream>

#include "bench/SummaryTable.h"

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintSummary(std::cout);
    benchmark::Shutdown();
    return 0;
}
