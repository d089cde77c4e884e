// Frame cost: ships at rest beside the same number of inert vessels, and ships with open airlocks
// among crew vessels, with heap allocations and calls into the host per frame counted in steady
// state. The scene of 1000 open ships among 10 000 crew vessels runs a second time with the module
// built with the plain per-ship arrival scan, when the build has it, as the reference.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/AllocationCounter.h"
#include "bench/BenchWorld.h"
#include "bench/SummaryTable.h"
#include "bench/ThreadClock.h"

namespace bench {
namespace {

// Frames run before measuring: every ship has run its start-up checks and passed through two
// arrival scans, so what follows is the steady state.
constexpr int kWarmUpFrames = 30;
// Resting ships wait, besides, until the welcome message is gone from the focus ship's HUD
// (15 s at 50 frames a second): a ship at rest shows nothing.
constexpr int kRestingWarmUpFrames = 800;
// Kinds of host call named in a run's label, the most frequent first.
constexpr std::size_t kLabelKinds = 4;

// "KIND CALLS_PER_FRAME, ..." for the most frequent kinds.
std::string TopKinds(const sim::HostCallCounts& counts, double frames) {
    auto kinds = counts.byKind;
    std::sort(kinds.begin(), kinds.end(),
              [](const auto& a, const auto& b) { return a.calls > b.calls; });
    std::string label;
    for (std::size_t i = 0; i < kinds.size() && i < kLabelKinds; ++i) {
        char text[96];
        std::snprintf(text, sizeof text, "%s%s %.4g", i == 0 ? "" : ", ", kinds[i].name.c_str(),
                      static_cast<double>(kinds[i].calls) / frames);
        label += text;
    }
    return label;
}

// Runs the benchmark's frames and reports per-frame time, allocations and host calls, host calls
// per simulated second, and the ratio of simulated time to the processor time spent. `module` is
// the loaded library whose code counts as the module's in the allocation count (none: empty).
void MeasureFrames(benchmark::State& state, sim::Simulator& simulator,
                   const std::filesystem::path& module, int warmUpFrames = kWarmUpFrames) {
    for (int i = 0; i < warmUpFrames; ++i) simulator.Frame();
    AttributeToModule(module);
    const double simStart = simulator.SimTime();
    simulator.ResetHostCalls();
    StartCountingAllocations();
    const double start = ThreadSeconds();
    for (auto _ : state) simulator.Frame();
    const double spent = ThreadSeconds() - start;
    const AllocationCounts allocations = StopCountingAllocations();
    const sim::HostCallCounts hostCalls = simulator.HostCalls();
    const auto frames = static_cast<double>(state.iterations());
    const double simSeconds = simulator.SimTime() - simStart;
    state.counters[kFrameNs] = spent * 1e9 / frames;
    if (kCountsAllocations) {
        state.counters[kModuleAllocations] = static_cast<double>(allocations.module) / frames;
        state.counters[kHostAllocations] = static_cast<double>(allocations.host) / frames;
    }
    state.counters[kHostCallsPerFrame] = static_cast<double>(hostCalls.total) / frames;
    state.counters[kHostCallsPerSimSecond] = static_cast<double>(hostCalls.total) / simSeconds;
    state.counters[kSimPerCpu] = simSeconds / spent;
    state.SetLabel(TopKinds(hostCalls, frames));
}

// Frames per size: enough to cover several arrival scan cycles (13 frames each).
benchmark::IterationCount FramesFor(long vessels) {
    return vessels >= 1000 ? 1040 : (vessels >= 100 ? 10400 : 104000);
}

void RestingShips(benchmark::State& state, const char* className) {
    const auto count = static_cast<int>(state.range(0));
    auto simulator = MakeSimulator();
    test_support::AddVesselsAtRest(*simulator, className, "Ship", count);
    // Without a vessel of its class the module is not loaded: no code is the module's.
    const bool loaded = std::string(className) == kShipClass;
    MeasureFrames(state, *simulator, loaded ? ModulePath() : std::filesystem::path(),
                  kRestingWarmUpFrames);
}

void BM_RestingQuillmars(benchmark::State& state) { RestingShips(state, kShipClass); }
void BM_RestingInert(benchmark::State& state) { RestingShips(state, kInertClass); }

void OpenAirlockScene(benchmark::State& state, const std::filesystem::path& module) {
    const auto ships = static_cast<int>(state.range(0));
    const auto crew = static_cast<int>(state.range(1));
    auto simulator = MakeSimulator(module);
    test_support::AddVesselsAtRest(*simulator, kShipClass, "Ship", ships);
    test_support::AddFarCrewVessels(*simulator, crew);
    test_support::OpenAirlocks(*simulator, "Ship", ships);
    MeasureFrames(state, *simulator, module);
}

void BM_OpenAirlocks(benchmark::State& state) { OpenAirlockScene(state, ModulePath()); }
#ifdef QM_PLAIN_SCAN_MODULE_PATH
void BM_OpenAirlocksPlainScan(benchmark::State& state) {
    OpenAirlockScene(state, PlainScanModulePath());
}
#endif

}  // namespace

// Google Benchmark picks one iteration count per registration, so each size registers alone.
#define QM_RESTING(name, count)        \
    BENCHMARK(name)                    \
        ->Arg(count)                   \
        ->Iterations(FramesFor(count)) \
        ->Repetitions(kRepetitions)    \
        ->Unit(benchmark::kMicrosecond)
QM_RESTING(BM_RestingQuillmars, 1);
QM_RESTING(BM_RestingInert, 1);
QM_RESTING(BM_RestingQuillmars, 10);
QM_RESTING(BM_RestingInert, 10);
QM_RESTING(BM_RestingQuillmars, 100);
QM_RESTING(BM_RestingInert, 100);
QM_RESTING(BM_RestingQuillmars, 1000);
QM_RESTING(BM_RestingInert, 1000);
#undef QM_RESTING

BENCHMARK(BM_OpenAirlocks)
    ->Args({kScanShips, 0})
    ->Args({kScanShips, 1000})
    ->Args({kScanShips, kManyCrewVessels})
    ->Args({kFewScanShips, kManyCrewVessels})
    ->Iterations(260)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMillisecond);

#ifdef QM_PLAIN_SCAN_MODULE_PATH
// The reference: its host calls are the same in every run and its time is not a target, so one
// run of ten scan cycles does.
BENCHMARK(BM_OpenAirlocksPlainScan)
    ->Args({kScanShips, kManyCrewVessels})
    ->Iterations(130)
    ->Repetitions(1)
    ->Unit(benchmark::kMillisecond);
#endif

}  // namespace bench
