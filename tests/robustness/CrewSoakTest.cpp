// Seeded random sessions: ships pressing keys, docking and undocking, crew vessels walking into
// airlocks, time passing, saves and loads, ships and crew vessels deleted. After every operation
// each member is in exactly one place (aboard a ship, in a crew vessel, or in the one transfer
// under way) and every ship publishes the free seats its roster leaves.
//
// The suite runs a short session. A long one (50 ships, 10 000 operations):
//   QM_SOAK=long build/tests/robustness/robustness_tests --gtest_filter='CrewSoak*'
// QM_SOAK_SEED=<number> picks another seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "host/CrewAddon.h"
#include "sim/World.h"
#include "tests/robustness/CrewCensus.h"
#include "tests/vessel/ShipHarness.h"

namespace robustness {
namespace {

struct SoakSize {
    int ships;
    int operations;
};
constexpr SoakSize kShortSoak{20, 4000};
constexpr SoakSize kLongSoak{50, 10000};
constexpr unsigned kDefaultSeed = 20261210;

constexpr int kPorts = 7;
constexpr int kMostInitialCrew = 4;
constexpr const char* kCodes[] = {"Capt", "Tech", "Sci", "Doc", ""};
constexpr const char* kKeys[] = {"E", "E", "E", "1",         "2",         "A",
                                 "A", "S", "C", "Shift+KP+", "Shift+KP-", "Ctrl+1"};

// One session: the simulator (remade by every load), the people alive, and the dice.
class CrewSoak {
  public:
    explicit CrewSoak(unsigned seed) : random_(seed) {
        saved_ = std::filesystem::temp_directory_path() /
                 ("quillmar-soak-" + std::to_string(std::random_device{}()) + ".scn");
    }
    ~CrewSoak() {
        std::error_code ignored;
        std::filesystem::remove(saved_, ignored);
    }

    void Start(int ships) {
        StartSimulator();
        quillmar_test::Ships blocks;
        for (int i = 0; i < ships; ++i) blocks.push_back(NewShip("S" + std::to_string(i)));
        quillmar_test::LoadShips(*sim_, blocks);
        living_ = CountEveryone(*sim_);
    }

    // Runs the operations, checking after each; stops at the first broken rule.
    void Run(int operations) {
        for (int op = 0; op < operations; ++op) {
            Operate();
            Check(op);
            if (testing::Test::HasFailure()) return;
        }
    }

    // What the session did that moved people or state around.
    struct Tally {
        int evas = 0;
        int transfers = 0;
        int arrivals = 0;
        int loads = 0;
    } tally;

  private:
    void StartSimulator() {
        sim_.reset();
        sim_ = std::make_unique<sim::Simulator>();
        sim_->RegisterModule(kShipClass, QM_MODULE_PATH);
    }

    // A ship's block with one to four members whose names no one else has.
    std::pair<std::string, quillmar_test::Block> NewShip(const std::string& ship) {
        quillmar_test::Block block{"STATUS Orbiting Earth", "RPOS 6778000 0 0", "RVEL 0 7668.5 0"};
        const int crew = Uniform(1, kMostInitialCrew);
        for (int m = 0; m < crew; ++m) {
            block.push_back(
                "UMMUCREW " +
                std::string(kCodes[Uniform(0, static_cast<int>(std::size(kCodes)) - 1)]) + "-" +
                ship + "M" + std::to_string(m) + "-" + std::to_string(Uniform(20, 70)) + "-" +
                std::to_string(Uniform(50, 120)) + "-" + std::to_string(Uniform(40, 120)));
        }
        return {ship, block};
    }

    int Uniform(int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random_);
    }

    template <typename T>
    const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Uniform(0, static_cast<int>(items.size()) - 1))];
    }

    // The ships, and the crew vessels that can walk (transfer vessels cannot), in index order.
    std::vector<std::string> Ships() const { return VesselsWhere(true); }
    std::vector<std::string> Walkers() const { return VesselsWhere(false); }

    std::vector<std::string> VesselsWhere(bool ship) const {
        std::vector<std::string> names;
        for (const sim::SimVessel* vessel : sim::World::Current()->Vessels()) {
            const bool isShip = vessel->className == kShipClass;
            const bool isWalker = vessel->kind == sim::VesselKind::CrewAddon &&
                                  vessel->name.rfind(crew_addon::kTransferVesselPrefix, 0) != 0;
            if (ship ? isShip : isWalker) names.push_back(vessel->name);
        }
        return names;
    }

    bool IsDocked(const std::string& ship) const {
        for (const auto& dock : sim::World::Current()->Find(ship)->docks) {
            if (dock->mate != nullptr) return true;
        }
        return false;
    }

    void Forget(const std::string& member) {
        if (--living_[member] == 0) living_.erase(member);
    }

    void Operate() {
        const std::vector<std::string> ships = Ships();
        const std::vector<std::string> walkers = Walkers();
        const int roll = Uniform(0, 99);
        if (ships.size() < 2 || roll < 2) {
            // Through a scenario of its own: a ship made by the host would bring the default
            // member, whose name every such ship shares.
            const std::string name = "N" + std::to_string(++shipsMade_);
            quillmar_test::LoadShips(*sim_, {NewShip(name)});
            for (const std::string& member : RosterNames(name)) ++living_[member];
            operation_ = "add ship " + name;
        } else if (roll < 47) {
            const std::string& ship = Pick(ships);
            const std::string key = kKeys[Uniform(0, static_cast<int>(std::size(kKeys)) - 1)];
            // One transfer at a time: the module hands every transfer over through one file.
            if (key == "E" && !TransferVessels(*sim_).empty() && IsDocked(ship)) {
                operation_ = "skip E on " + ship;
                return;
            }
            const std::size_t walking = walkers.size();
            const std::size_t crossing = TransferVessels(*sim_).size();
            const int result = sim_->PressKey(ship, key);
            operation_ = "key " + ship + " " + key + " -> " + std::to_string(result);
            tally.evas += Walkers().size() > walking ? 1 : 0;
            tally.transfers += TransferVessels(*sim_).size() > crossing ? 1 : 0;
        } else if (roll < 57) {
            const std::string& ship = Pick(ships);
            const std::string& other = Pick(ships);
            // Half the dockings at port 0, the active port after set-up and every load.
            const int port = Uniform(0, 1) == 0 ? 0 : Uniform(1, kPorts - 1);
            const int otherPort = Uniform(0, kPorts - 1);
            operation_ = "dock " + ship + " " + std::to_string(port) + " " + other + " " +
                         std::to_string(otherPort);
            try {
                sim_->Dock(ship, port, other, otherPort);
            } catch (const sim::InputError&) {
                operation_ += " (refused)";
            }
        } else if (roll < 62) {
            const std::string& ship = Pick(ships);
            const int port = Uniform(0, kPorts - 1);
            operation_ = "undock " + ship + " " + std::to_string(port);
            sim_->Undock(ship, port);
        } else if (roll < 72 && !walkers.empty()) {
            const std::string& walker = Pick(walkers);
            const std::string& ship = Pick(ships);
            operation_ = "walk " + walker + " " + ship;
            sim_->Walk(walker, ship);
        } else if (roll < 92) {
            const double seconds = Uniform(1, 6) / 10.0;
            operation_ = "run " + std::to_string(seconds);
            const std::size_t outside = walkers.size() + TransferVessels(*sim_).size();
            sim_->Run(seconds);
            const std::size_t left = Walkers().size() + TransferVessels(*sim_).size();
            tally.arrivals += static_cast<int>(outside - std::min(outside, left));
        } else if (roll < 95 && !walkers.empty()) {
            const std::string& walker = Pick(walkers);
            operation_ = "delete crew vessel " + walker;
            Forget(MemberOfCrewVesselName(walker));
            sim_->DeleteVessel(sim_->FindVessel(walker));
        } else if (roll < 97) {
            const std::string ship = Pick(ships);
            operation_ = "delete ship " + ship;
            for (const std::string& member : RosterNames(ship)) Forget(member);
            // A transfer to the ship can no longer arrive: its vessel goes as well.
            const std::string addressed = crew_addon::kTransferVesselPrefix + ship;
            for (const std::string& transfer : TransferVessels(*sim_)) {
                if (transfer != addressed) continue;
                const Headcount before = CountEveryone(*sim_);
                sim_->DeleteVessel(sim_->FindVessel(transfer));
                const Headcount after = CountEveryone(*sim_);
                for (const auto& [member, number] : before) {
                    const auto left = after.find(member);
                    if (left == after.end() || left->second < number) Forget(member);
                }
            }
            sim_->DeleteVessel(sim_->FindVessel(ship));
        } else if (TransferVessels(*sim_).empty()) {
            operation_ = "save and load";
            ++tally.loads;
            sim_->SaveScenario(saved_);
            StartSimulator();
            sim_->LoadScenario(saved_);
        } else {
            operation_ = "run 0.3 (a transfer is under way: no save)";
            sim_->Run(0.3);
        }
    }

    void Check(int op) {
        const std::string where = "after operation " + std::to_string(op) + ": " + operation_;
        ASSERT_EQ(Difference(living_, CountEveryone(*sim_)), "") << where;
        ASSERT_LE(TransferVessels(*sim_).size(), 1U) << where;
        for (const std::string& ship : Ships()) {
            ASSERT_EQ(PublishedFreeSeats(ship), kSeats - static_cast<int>(RosterNames(ship).size()))
                << ship << " " << where;
        }
    }

    std::mt19937 random_;
    std::unique_ptr<sim::Simulator> sim_;
    Headcount living_;
    std::string operation_;
    int shipsMade_ = 0;
    std::filesystem::path saved_;
};

TEST(CrewSoak, NobodyLostOrDuplicatedInRandomSessions) {
    const char* size = std::getenv("QM_SOAK");
    const SoakSize soak = (size != nullptr && std::string(size) == "long") ? kLongSoak : kShortSoak;
    const char* seedText = std::getenv("QM_SOAK_SEED");
    const unsigned seed = seedText != nullptr
                              ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10))
                              : kDefaultSeed;
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    CrewSoak session(seed);
    session.Start(soak.ships);
    session.Run(soak.operations);
    const CrewSoak::Tally& done = session.tally;
    std::cout << "soak: " << done.evas << " EVAs, " << done.transfers << " transfers, "
              << done.arrivals << " arrivals, " << done.loads << " saves and loads\n";
    EXPECT_GT(done.evas, 0);
    EXPECT_GT(done.transfers, 0);
    EXPECT_GT(done.arrivals, 0);
    EXPECT_GT(done.loads, 0);
}

}  // namespace
}  // namespace robustness
