// Loading and saving a scenario of crewed Quillmars, per ship, at two fleet sizes and two crew
// sizes, so that growth in ships and in crew lines shows.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/BenchWorld.h"
#include "bench/SummaryTable.h"
#include "bench/ThreadClock.h"

namespace bench {
namespace {

namespace fs = std::filesystem;

fs::path ScenarioFile(int ships, int crewLines) {
    return fs::temp_directory_path() /
           ("quillmar-bench-" + std::to_string(ships) + "-" + std::to_string(crewLines) + ".scn");
}

void SetPerShip(benchmark::State& state, double seconds, int ships) {
    state.counters[kShipUs] = seconds * 1e6 / static_cast<double>(state.iterations()) / ships;
}

void BM_LoadScenario(benchmark::State& state) {
    const auto ships = static_cast<int>(state.range(0));
    const auto crewLines = static_cast<int>(state.range(1));
    const fs::path file = ScenarioFile(ships, crewLines);
    test_support::CrewedScenario(ships, crewLines).Write(file);
    double loading = 0.0;
    for (auto _ : state) {
        state.PauseTiming();
        auto simulator = MakeSimulator();
        state.ResumeTiming();
        const double start = ThreadSeconds();
        simulator->LoadScenario(file);
        loading += ThreadSeconds() - start;
        state.PauseTiming();
        simulator.reset();
        state.ResumeTiming();
    }
    fs::remove(file);
    SetPerShip(state, loading, ships);
}

void BM_SaveScenario(benchmark::State& state) {
    const auto ships = static_cast<int>(state.range(0));
    const auto crewLines = static_cast<int>(state.range(1));
    const fs::path file = ScenarioFile(ships, crewLines);
    test_support::CrewedScenario(ships, crewLines).Write(file);
    auto simulator = MakeSimulator();
    simulator->LoadScenario(file);
    const double start = ThreadSeconds();
    for (auto _ : state) simulator->SaveScenario(file);
    const double saving = ThreadSeconds() - start;
    fs::remove(file);
    SetPerShip(state, saving, ships);
}

}  // namespace

BENCHMARK(BM_LoadScenario)
    ->Args({100, kCrewLines})
    ->Args({1000, kCrewLines})
    ->Args({1000, kFewCrewLines})
    ->Iterations(5)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveScenario)
    ->Args({100, kCrewLines})
    ->Args({1000, kCrewLines})
    ->Args({1000, kFewCrewLines})
    ->Iterations(10)
    ->Repetitions(kRepetitions)
    ->Unit(benchmark::kMillisecond);

}  // namespace bench
