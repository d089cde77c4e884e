// Frame cost: ships at rest beside the same number of inert vessels, and ships with open airlocks
// among crew vessels, with heap allocations per frame counted in steady state.
#include <benchmark/benchmark.h>

#include "bench/AllocationCounter.h"
#include "bench/BenchWorld.h"
#include "bench/SummaryTable.h"
#include "bench/ThreadClock.h"

namespace bench {
namespace {

// Frames run before measuring: every ship has drawn its welcome message, run its start-up checks
// and passed through two arrival scans, so what follows is the steady state.
constexpr int kWarmUpFrames = 30;

// Runs the benchmark's frames and reports per-frame time, allocations and the ratio of simulated
// time to the processor time spent.
void MeasureFrames(benchmark::State& state, sim::Simulator& simulator) {
    for (int i = 0; i < kWarmUpFrames; ++i) simulator.Frame();
    const double simStart = simulator.SimTime();
    StartCountingAllocations();
    const double start = ThreadSeconds();
    for (auto _ : state) simulator.Frame();
    const double spent = ThreadSeconds() - start;
    const AllocationCounts allocations = StopCountingAllocations();
    const auto frames = static_cast<double>(state.iterations());
    state.counters[kFrameNs] = spent * 1e9 / frames;
    if (kCountsAllocations) {
        state.counters[kModuleAllocations] = static_cast<double>(allocations.module) / frames;
        state.counters[kHostAllocations] = static_cast<double>(allocations.host) / frames;
    }
    state.counters[kSimPerCpu] = (simulator.SimTime() - simStart) / spent;
}

// Frames per size: enough to cover several arrival scan cycles (13 frames each).
benchmark::IterationCount FramesFor(long vessels) {
    return vessels >= 1000 ? 1040 : (vessels >= 100 ? 10400 : 104000);
}

void RestingShips(benchmark::State& state, const char* className) {
    const auto count = static_cast<int>(state.range(0));
    auto simulator = MakeSimulator();
    AddVessels(*simulator, className, "Ship", count);
    MeasureFrames(state, *simulator);
}

void BM_RestingQuillmars(benchmark::State& state) { RestingShips(state, kShipClass); }
void BM_RestingInert(benchmark::State& state) { RestingShips(state, kInertClass); }

void BM_OpenAirlocks(benchmark::State& state) {
    const auto ships = static_cast<int>(state.range(0));
    const auto crew = static_cast<int>(state.range(1));
    auto simulator = MakeSimulator();
    AddVessels(*simulator, kShipClass, "Ship", ships);
    AddCrewVessels(*simulator, crew);
    OpenAirlocks(*simulator, "Ship", ships);
    MeasureFrames(state, *simulator);
}

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
    ->Args({kScanShips, 10000})
    ->Iterations(260)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMillisecond);

}  // namespace bench
