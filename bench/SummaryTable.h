// The benchmark sizes, the counters each benchmark reports, and the short table printed after
// the run: figures per ship, calls into the host, and the ratios the targets are stated in.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace bench {

// Counters.
inline constexpr char kFrameNs[] = "frame_ns";
inline constexpr char kModuleAllocations[] = "allocs_module";
inline constexpr char kHostAllocations[] = "allocs_host";
inline constexpr char kSimPerCpu[] = "sim_per_cpu";
inline constexpr char kHostCallsPerFrame[] = "host_calls";
inline constexpr char kHostCallsPerSimSecond[] = "host_calls_per_sim_s";
inline constexpr char kShipUs[] = "ship_us";

// Sizes.
inline constexpr long kScanShips = 1000;
inline constexpr long kFewScanShips = 100;
inline constexpr long kManyCrewVessels = 10000;
inline constexpr long kCrewLines = 50;
inline constexpr long kFewCrewLines = 10;
// Every benchmark runs this many times; the table shows the fastest run of each, the one least
// disturbed by whatever else the machine was doing.
inline constexpr int kRepetitions = 3;

// Passes every run on to the console and keeps, for the table, the counters of each
// benchmark's fastest repetition.
class SummaryReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override;
    void PrintSummary(std::ostream& out) const;

  private:
    // Counter of the run "FUNCTION/ARGS"; NaN when that run is missing.
    double Get(const std::string& run, const std::string& counter) const;
    // "MODULE+HOST" allocations per frame of the run.
    std::string AllocationCell(const std::string& run) const;
    std::map<std::string, std::map<std::string, double>> counters_;
    std::map<std::string, double> fastestCpuTime_;
};

}  // namespace bench
