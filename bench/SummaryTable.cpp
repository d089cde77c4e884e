#include "bench/SummaryTable.h"

#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>

namespace bench {
namespace {

constexpr long kRestingSizes[] = {1, 10, 100, 1000};
constexpr long kCrewSizes[] = {0, 1000, 10000};
struct ScenarioSize {
    long ships;
    long crewLines;
};
constexpr ScenarioSize kScenarioSizes[] = {
    {100, kCrewLines}, {1000, kCrewLines}, {1000, kFewCrewLines}};
struct ScenarioRow {
    const char* function;
    const char* label;
};
constexpr ScenarioRow kScenarioRows[] = {{"BM_LoadScenario", "load"}, {"BM_SaveScenario", "save"}};

std::string Cell(double value, const char* format = "%10.1f") {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string Name(const char* function, long a) {
    return std::string(function) + "/" + std::to_string(a);
}
std::string Name(const char* function, long a, long b) {
    return Name(function, a) + "/" + std::to_string(b);
}

}  // namespace

void SummaryReporter::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (run.run_type != Run::RT_Iteration) continue;  // mean, median and deviation
        const std::string name = run.run_name.function_name + "/" + run.run_name.args;
        const double cpuTime = run.GetAdjustedCPUTime();
        const auto fastest = fastestCpuTime_.find(name);
        if (fastest != fastestCpuTime_.end() && fastest->second <= cpuTime) continue;
        fastestCpuTime_[name] = cpuTime;
        auto& kept = counters_[name];
        kept.clear();
        for (const auto& [counter, value] : run.counters) kept[counter] = value.value;
    }
    ConsoleReporter::ReportRuns(runs);
}

double SummaryReporter::Get(const std::string& run, const std::string& counter) const {
    const auto found = counters_.find(run);
    if (found == counters_.end()) return std::numeric_limits<double>::quiet_NaN();
    const auto value = found->second.find(counter);
    return value == found->second.end() ? std::numeric_limits<double>::quiet_NaN() : value->second;
}

std::string SummaryReporter::AllocationCell(const std::string& run) const {
    char text[32];
    std::snprintf(text, sizeof text, "%4.0f+%-4.0f", Get(run, kModuleAllocations),
                  Get(run, kHostAllocations));
    return text;
}

void SummaryReporter::PrintSummary(std::ostream& out) const {
    out << "\nShips at rest, frame cost   ";
    for (const long n : kRestingSizes) out << Cell(static_cast<double>(n), "  N=%-6.0f");
    const auto perShip = [&](const char* function, long n) {
        return Get(Name(function, n), kFrameNs) / static_cast<double>(n);
    };
    out << "\n  Quillmar ns/ship          ";
    for (const long n : kRestingSizes) out << Cell(perShip("BM_RestingQuillmars", n));
    out << "\n  inert ns/ship             ";
    for (const long n : kRestingSizes) out << Cell(perShip("BM_RestingInert", n));
    out << "\n  Quillmar / inert          ";
    for (const long n : kRestingSizes) {
        out << Cell(perShip("BM_RestingQuillmars", n) / perShip("BM_RestingInert", n), "%10.2f");
    }
    out << "   (<= 3)\n  allocs/frame module+host  ";
    for (const long n : kRestingSizes) out << AllocationCell(Name("BM_RestingQuillmars", n));
    const auto growth = [&](const char* function) {
        return Get(Name(function, 1000), kFrameNs) / Get(Name(function, 100), kFrameNs);
    };
    out << "   (0+0)\n  1000 / 100 ships: Quillmar " << Cell(growth("BM_RestingQuillmars"), "%.2f")
        << ", inert " << Cell(growth("BM_RestingInert"), "%.2f") << "   (<= 11)\n";

    out << "\n" << kScanShips << " ships, airlocks open  ";
    for (const long m : kCrewSizes) out << Cell(static_cast<double>(m), "  M=%-6.0f");
    const auto frameMs = [&](long m) {
        return Get(Name("BM_OpenAirlocks", kScanShips, m), kFrameNs) / 1e6;
    };
    out << "\n  ms/frame                  ";
    for (const long m : kCrewSizes) out << Cell(frameMs(m), "%10.3f");
    out << "\n  ns/scanned crew vessel    ";
    const double passesPerFrame = static_cast<double>(kScanShips) / kFramesPerScanPass;
    for (const long m : kCrewSizes) {
        out << (m == 0 ? std::string("         -")
                       : Cell((frameMs(m) - frameMs(0)) * 1e6 / (passesPerFrame * m)));
    }
    out << "\n  sim time / cpu time       ";
    for (const long m : kCrewSizes) {
        out << Cell(Get(Name("BM_OpenAirlocks", kScanShips, m), kSimPerCpu), "%10.2f");
    }
    out << "   (>= 1 at M=10000)\n  allocs/frame module+host  ";
    for (const long m : kCrewSizes) out << AllocationCell(Name("BM_OpenAirlocks", kScanShips, m));
    out << "   (0+0)\n  scan cost 10000 / 1000 crew vessels: "
        << Cell((frameMs(10000) - frameMs(0)) / (frameMs(1000) - frameMs(0)), "%.2f")
        << "   (<= 11)\n";

    out << "\nScenario, us/ship  ";
    for (const auto& size : kScenarioSizes) {
        char text[32];
        std::snprintf(text, sizeof text, " %5ld x %-3ld", size.ships, size.crewLines);
        out << text;
    }
    out << "  1000/100 ships  50/10 lines";
    for (const auto& row : kScenarioRows) {
        out << "\n  " << row.label << "           ";
        double perShip[std::size(kScenarioSizes)];
        for (std::size_t i = 0; i < std::size(kScenarioSizes); ++i) {
            const ScenarioSize& size = kScenarioSizes[i];
            perShip[i] = Get(Name(row.function, size.ships, size.crewLines), kShipUs);
            out << Cell(perShip[i], "%12.1f");
        }
        out << Cell(perShip[1] / perShip[0], "%14.2f") << Cell(perShip[1] / perShip[2], "%13.2f");
    }
    out << "\n  (ships x crew lines; linear: per-ship cost flat in ships, at most 5x for 5x "
           "lines)\n";
}

}  // namespace bench
