// The module scans for arrivals through an index of the crew vessels; the plain scan asks the
// host about every vessel in every pass. Both modules play the same seeded random sessions:
// ships clustered close enough for their airlock boxes to compete for the same crew vessels,
// turning, docking and undocking, members leaving on foot and by transfer, crew vessels walking
// in or placed near and far, ships and crew vessels deleted (transfers whose receiver is gone go
// back into free space), steps and time acceleration changed. Transcripts, refusals, every
// vessel as `print` shows it and the saved scenarios must be the same.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "sim/session/Simulator.h"

namespace robustness {
namespace {

constexpr int kShips = 8;
constexpr int kOperations = 400;
constexpr unsigned kSeeds[] = {1, 2, 3, 4, 5, 6};
// Checkpoints: every vessel described and the scenario saved.
constexpr int kCheckpointEvery = 25;

// What a session showed, in order.
using Record = std::vector<std::string>;

class Session {
  public:
    Session(const char* module, unsigned seed) : sim(Options(seed)), random(seed) {
        sim.RegisterModule("Quillmar", module);
        for (int i = 0; i < kShips; ++i) {
            const std::string name = "Ship" + std::to_string(i);
            sim.CreateVessel(name, "Quillmar");
            if (i > 0) {
                // Clustered: 0 to 400 m from the ship before, so boxes overlap at times.
                Do("place " + name + " Ship" + std::to_string(i - 1) + " " + Offset(400) + " " +
                   Offset(400) + " " + Offset(400));
            }
        }
    }

    Record Play() {
        for (int op = 1; op <= kOperations; ++op) {
            Step();
            if (op % kCheckpointEvery == 0) Checkpoint();
        }
        Checkpoint();
        for (const std::string& line : sim.Transcript()) record.push_back(line);
        return record;
    }

  private:
    static sim::SimulatorOptions Options(unsigned seed) {
        sim::SimulatorOptions options;
        options.seed = seed;
        options.warnings = nullptr;
        return options;
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }

    std::string Offset(double range) {
        char text[32];
        std::snprintf(text, sizeof text, "%.3f",
                      std::uniform_real_distribution<double>(-range, range)(random));
        return text;
    }

    // A vessel name of those whose name begins with `prefix`; empty when there is none.
    std::string AnyVessel(const std::string& prefix) {
        std::vector<std::string> names;
        for (const std::string& name : sim.VesselNames()) {
            if (name.rfind(prefix, 0) == 0) names.push_back(name);
        }
        return names.empty()
                   ? std::string{}
                   : names[static_cast<std::size_t>(Pick(static_cast<int>(names.size())))];
    }

    // Runs one script line; a refusal is part of the record.
    void Do(const std::string& command) {
        try {
            sim.Execute(command);
        } catch (const sim::InputError& error) {
            record.push_back("refused: " + command + ": " + error.what());
        }
    }

    void Step() {
        const std::string ship = AnyVessel("Ship");
        const std::string crew = AnyVessel("UMmu");
        static constexpr const char* kKeys[] = {"A", "E", "E",         "1",
                                                "2", "S", "Shift+KP+", "Shift+KP-"};
        switch (Pick(14)) {
            case 0:
            case 1:
            case 2:
                if (!ship.empty()) Do("key " + ship + " " + kKeys[Pick(std::size(kKeys))]);
                break;
            case 3:
                if (!crew.empty() && !ship.empty()) Do("walk " + crew + " " + ship);
                break;
            case 4:
                // Near a ship: inside its box, or another's, at times.
                if (!crew.empty() && !ship.empty()) {
                    Do("place " + crew + " " + ship + " " + Offset(60) + " " + Offset(60) + " " +
                       Offset(240));
                }
                break;
            case 5:
                if (!ship.empty()) {
                    const std::string other = AnyVessel("Ship");
                    Do("dock " + ship + " " + std::to_string(Pick(7)) + " " + other + " " +
                       std::to_string(Pick(7)));
                }
                break;
            case 6:
                if (!ship.empty()) Do("undock " + ship + " " + std::to_string(Pick(7)));
                break;
            case 7:
                if (!ship.empty()) {
                    Do("angvel " + ship + " " + Offset(0.08) + " " + Offset(0.08) + " " +
                       Offset(0.2));
                }
                break;
            case 8:
                // Rarely: a vessel goes, or a new ship comes.
                if (Pick(4) == 0) {
                    const std::string victim = Pick(2) == 0 ? ship : crew;
                    if (!victim.empty()) Do("delete " + victim);
                } else if (Pick(3) == 0) {
                    const std::string name = "Ship" + std::to_string(kShips + newShips++);
                    Do("create " + name + " Quillmar");
                    if (!ship.empty()) Do("place " + name + " " + ship + " 0 0 " + Offset(300));
                }
                break;
            case 9:
                Do(std::string("step ") + (Pick(2) == 0 ? "0.02" : "0.1"));
                break;
            case 10:
                Do(std::string("warp ") + (Pick(3) == 0 ? "10" : "1"));
                break;
            default: {
                char seconds[16];
                std::snprintf(seconds, sizeof seconds, "%.2f", 0.1 + 0.1 * Pick(12));
                Do(std::string("run ") + seconds);
                break;
            }
        }
    }

    void Checkpoint() {
        for (const std::string& name : sim.VesselNames()) {
            record.push_back(sim.Describe(name).dump());
        }
        const std::filesystem::path file = sim.Root() / "differential.scn";
        sim.SaveScenario(file);
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        record.push_back(text.str());
    }

    sim::Simulator sim;
    std::mt19937 random;
    Record record;
    int newShips = 0;
};

TEST(ArrivalScanDifferential, TheIndexDecidesAsThePlainScan) {
    int arrivals = 0;
    for (const unsigned seed : kSeeds) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        const Record indexed = Session(QM_MODULE_PATH, seed).Play();
        const Record plain = Session(QM_PLAIN_MODULE_PATH, seed).Play();
        ASSERT_EQ(indexed.size(), plain.size());
        for (std::size_t i = 0; i < indexed.size(); ++i) {
            ASSERT_EQ(indexed[i], plain[i]) << "first difference at record line " << i;
            if (indexed[i].find("entered into our ship") != std::string::npos ||
                indexed[i].find("was transfered to our ship") != std::string::npos) {
                ++arrivals;
            }
        }
    }
    // The sessions must bring crew aboard, or they would compare nothing of the scan.
    EXPECT_GT(arrivals, 20);
}

}  // namespace
}  // namespace robustness
