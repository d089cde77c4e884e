#include "bench/SummaryTable.h"

#include <cmath>
#include <cstdio>
#include <iterator>
#include <limits>

namespace bench {
namespace {

constexpr long kRestingSizes[] = {1, 10, 100, 1000};
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

// A column heading, right-aligned over the 12 characters of a table cell.
std::string Label(const char* text) {
    char cell[32];
    std::snprintf(cell, sizeof cell, "%12s", text);
    return cell;
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
    const auto perShip = [&](const char* function, const char* counter, long n) {
        return Get(Name(function, n), counter) / static_cast<double>(n);
    };
    out << "\n  Quillmar ns/ship          ";
    for (const long n : kRestingSizes) out << Cell(perShip("BM_RestingQuillmars", kFrameNs, n));
    // An inert vessel does nothing in the stand-in but move: the floor of a frame, not a target.
    out << "\n  inert ns/ship (floor)     ";
    for (const long n : kRestingSizes) out << Cell(perShip("BM_RestingInert", kFrameNs, n));
    out << "\n  host calls/ship/frame     ";
    for (const long n : kRestingSizes) {
        out << Cell(perShip("BM_RestingQuillmars", kHostCallsPerFrame, n), "%10.2f");
    }
    out << "   (<= 2)\n  allocs/frame module+host  ";
    for (const long n : kRestingSizes) out << AllocationCell(Name("BM_RestingQuillmars", n));
    const auto growth = [&](const char* function) {
        return Get(Name(function, 1000), kFrameNs) / Get(Name(function, 100), kFrameNs);
    };
    out << "   (0+0)\n  1000 / 100 ships: Quillmar " << Cell(growth("BM_RestingQuillmars"), "%.2f")
        << ", inert " << Cell(growth("BM_RestingInert"), "%.2f") << "   (<= 11)\n";

    // Ships with open airlocks among crew vessels: the index's scenes, then the plain scan's.
    struct Scene {
        const char* function;
        long ships;
        long crew;
        const char* label;
    };
    constexpr Scene kScenes[] = {
        {"BM_OpenAirlocks", kScanShips, 0, "1000x0"},
        {"BM_OpenAirlocks", kScanShips, 1000, "1000x1000"},
        {"BM_OpenAirlocks", kScanShips, kManyCrewVessels, "1000x10000"},
        {"BM_OpenAirlocks", kFewScanShips, kManyCrewVessels, "100x10000"},
        {"BM_OpenAirlocksPlainScan", kScanShips, kManyCrewVessels, "plain scan"},
    };
    constexpr char kMissing[] = "           -";
    const auto value = [&](const Scene& scene, const char* counter) {
        return Get(Name(scene.function, scene.ships, scene.crew), counter);
    };
    const auto row = [&](const char* title, const char* counter, double scale, const char* format) {
        out << "\n  " << title;
        for (const Scene& scene : kScenes) {
            const double v = value(scene, counter);
            out << (std::isnan(v) ? std::string(kMissing) : Cell(v * scale, format));
        }
    };
    out << "\nAirlocks open, ships x crew";
    for (const Scene& scene : kScenes) out << Label(scene.label);
    row("ms/frame                 ", kFrameNs, 1e-6, "%12.3f");
    row("host calls/frame         ", kHostCallsPerFrame, 1.0, "%12.4g");
    row("host calls/sim second    ", kHostCallsPerSimSecond, 1.0, "%12.4g");
    row("sim time / cpu time      ", kSimPerCpu, 1.0, "%12.2f");
    out << "\n  allocs/frame module+host ";
    for (const Scene& scene : kScenes) {
        out << (std::isnan(value(scene, kFrameNs))
                    ? std::string(kMissing)
                    : "   " + AllocationCell(Name(scene.function, scene.ships, scene.crew)));
    }
    out << "   (0+0)\n  (plain scan: 1000 x 10000 with the module's plain per-ship arrival scan, "
           "QuillmarPlainScan)";

    const Scene& many = kScenes[2];
    const Scene& few = kScenes[3];
    const Scene& plain = kScenes[4];
    out << "\n  cost 1000 / 100 ships among 10000 crew vessels: "
        << Cell(value(many, kFrameNs) / value(few, kFrameNs), "%.2f") << "   (<= 2)";
    out << "\n  host calls/sim second at 1000 x 10000, plain scan / index: ";
    if (std::isnan(value(plain, kHostCallsPerSimSecond))) {
        out << "-   (>= 100; this build has no QuillmarPlainScan)";
    } else {
        out << Cell(value(plain, kHostCallsPerSimSecond) / value(many, kHostCallsPerSimSecond),
                    "%.1f")
            << "   (>= 100)";
    }
    // Every frame of these scenes is a scanning frame: a thousand ships scanning four times a
    // second put 80 passes in each. The ships are the scenes' other vessels; what they cost
    // holds their own work (rotation rate, scan timer, their passes) and being listed.
    // Per crew vessel: the growth from 1000 to 10000 of them, so that what a frame costs once
    // whatever their number (the last crew vessel a pass checked, read once a frame; the end of
    // the vessel list asked about anew) is not spread over them.
    const double emptyCalls = value(kScenes[0], kHostCallsPerFrame);
    out << "\n  host calls/frame per crew vessel, 1000 x 1000 to 1000 x 10000: "
        << Cell((value(many, kHostCallsPerFrame) - value(kScenes[1], kHostCallsPerFrame)) /
                    (kManyCrewVessels - kScenes[1].crew),
                "%.3f")
        << "   (<= 2.03: 2, and its name read once every 0.75 s)";
    out << "\n  host calls/frame per ship at 1000 x 0, its own work included: "
        << Cell(emptyCalls / kScanShips, "%.3f")
        << "   (<= 1.05 + its own work: asked about anew every 0.75 s)";
    out << "\n  sim time / cpu time at 1000 x 10000: " << Cell(value(many, kSimPerCpu), "%.2f")
        << "   (>= 100)";
    const double empty = value(kScenes[0], kFrameNs);
    out << "\n  scan cost 10000 / 1000 crew vessels: "
        << Cell((value(many, kFrameNs) - empty) / (value(kScenes[1], kFrameNs) - empty), "%.2f")
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
