// Vessels at reused handles. The stand-in, like the simulator, gives a new vessel the address of
// the vessel destroyed last, and the address is the vessel's handle: crew vessels made right
// after a deletion stand where the arrival index last saw another vessel. Whatever was created
// and deleted in between, a crew vessel or a peer's transfer vessel in an open airlock is taken
// within two seconds; and the index takes the same arrivals as the plain scan, which asks the
// host about every vessel in every pass, through seeded random creations, deletions, walks and
// transfers.
#include <algorithm>
#include <iterator>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "testing/PeerTransfer.h"
#include "tests/robustness/RobustnessFixture.h"

namespace robustness {
namespace {

using Names = std::vector<std::string>;
using test_support::CreateCrewVessel;
using test_support::SendAsPeer;

// What the module promises: under two seconds of simulation time after a crew vessel reaches the
// airlock, whatever stood at its handle before.
constexpr double kArrivalBound = 2.0;
// Vessels of a class without a module, as cargo pods and beacons are: no crew manager starts.
constexpr char kPodClass[] = "Pod";

class ReusedHandleTest : public RobustnessTest {};

// The host's order of events: Beacon, last in the list and known to the index, is deleted; the
// next vessel made (a walking crew vessel or a peer's transfer vessel) gets its handle and its
// index; more vessels follow. The crew vessel is taken all the same, however many follow.
TEST_F(ReusedHandleTest, ACrewVesselAtADeletedVesselsHandleIsTaken) {
    for (const bool transfer : {false, true}) {
        for (const int after : {0, 3, 4, 6, 12}) {
            SCOPED_TRACE(testing::Message() << (transfer ? "peer transfer" : "walker") << ", "
                                            << after << " vessels made after it");
            DeleteEveryVessel();
            LoadShips({{"Pioneer", {"UMMUCREW Capt-Ada_Kerr-41-66-72"}}});
            Key("Pioneer", "A");
            const OBJHANDLE beacon = sim.CreateVessel("Beacon", kPodClass);
            sim.Run(1.0);  // the index knows Beacon at the end of the list
            ASSERT_TRUE(sim.DeleteVessel(beacon));
            const OBJHANDLE eve = transfer ? SendAsPeer(sim, "Pioneer", "Pass-Eve Eng", 30, 70, 60)
                                           : CreateCrewVessel(sim, "UMmu_Pass-Eve_Eng", 30, 70, 60);
            ASSERT_EQ(eve, beacon) << "the stand-in reuses the handle";
            for (int i = 0; i < after; ++i)
                sim.CreateVessel("Filler" + std::to_string(i), kPodClass);
            if (!transfer) sim.Walk("UMmu_Pass-Eve_Eng", "Pioneer");
            sim.Run(kArrivalBound);
            EXPECT_EQ(RosterNames("Pioneer"), (Names{"Ada Kerr", "Eve Eng"}));
            EXPECT_EQ(sim.FindVessel(transfer ? "UMmuTPioneer" : "UMmu_Pass-Eve_Eng"), nullptr);
        }
    }
}

// Seeded random sessions, once with the module's index and once with the plain scan: ships with
// open airlocks far apart, other vessels and crew vessels made and deleted in any order (each
// new one at the address of the one destroyed last), crew vessels walking into airlocks and peers
// sending transfers. A crew vessel in an airlock is left there to be taken: the index promises to
// take it within two seconds, the plain scan at its next pass, so only a vessel outside every
// airlock is deleted. At every checkpoint, after that time, the ships' rosters and the vessels
// left must be the same.
class ArrivalSession {
  public:
    ArrivalSession(const char* module, unsigned seed) : sim_(Options(seed)), random_(seed) {
        sim_.RegisterModule(kShipClass, module);
        for (std::size_t i = 0; i < std::size(kReceivers); ++i) {
            sim_.CreateVessel(kReceivers[i], kShipClass);
            sim_.Place(kReceivers[i], kReceivers[0], {0, 0, 10000.0 * static_cast<double>(i)});
        }
        for (const char* ship : kReceivers) sim_.PressKey(ship, "A");
    }

    std::vector<std::string> Play(int operations, int checkpointEvery) {
        for (int op = 1; op <= operations; ++op) {
            Step();
            if (op % checkpointEvery == 0) Checkpoint();
        }
        Checkpoint();
        return record_;
    }

    int arrivals = 0;
    int reused = 0;  // vessels made at an address that a deleted vessel had

  private:
    static constexpr const char* kReceivers[] = {"Pioneer", "Gamma", "Meridian"};

    static sim::SimulatorOptions Options(unsigned seed) {
        sim::SimulatorOptions options;
        options.seed = seed;
        options.warnings = nullptr;
        return options;
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    // A vessel that no airlock holds: other vessels and crew vessels not sent in. Often the last
    // of them in the list: a vessel made next gets its address, and its index too.
    std::string Outsider() {
        std::vector<std::string> names;
        for (const std::string& name : sim_.VesselNames()) {
            const bool receiver =
                std::find_if(std::begin(kReceivers), std::end(kReceivers),
                             [&name](const char* r) { return name == r; }) != std::end(kReceivers);
            if (!receiver && sentIn_.count(name) == 0) names.push_back(name);
        }
        if (names.empty()) return {};
        if (Pick(3) != 0) return names.back();
        return names[static_cast<std::size_t>(Pick(static_cast<int>(names.size())))];
    }

    void Made(OBJHANDLE handle) {
        if (handle == nullptr) return;
        if (freed_.count(handle) != 0) ++reused;
        freed_.erase(handle);
    }

    void MakeOther() {
        const std::string name = "Other" + std::to_string(made_++);
        Made(sim_.CreateVessel(name, kPodClass));
        // Near a receiver at times, outside its airlock.
        sim_.Place(name, kReceivers[Pick(3)], {0, 300, 0});
    }

    void MakeCrew() {
        const std::string name = "UMmu_Eng-C" + std::to_string(made_++);
        Made(CreateCrewVessel(sim_, name, 30 + Pick(20), 70, 60 + Pick(20)));
        sim_.Place(name, kReceivers[Pick(3)], {0, 0, 400.0 + Pick(400)});
    }

    void Step() {
        switch (Pick(9)) {
            case 0:
            case 1:
                // Between two frames: one vessel or several, of either kind.
                for (int n = 1 + Pick(8); n > 0; --n) {
                    if (Pick(2) == 0) {
                        MakeOther();
                    } else {
                        MakeCrew();
                    }
                }
                break;
            case 2:
                MakeCrew();
                break;
            case 3:
            case 4: {
                const std::string victim = Outsider();
                if (!victim.empty()) {
                    const OBJHANDLE handle = sim_.FindVessel(victim);
                    sim_.DeleteVessel(handle);
                    freed_.insert(handle);
                }
                break;
            }
            case 5:
            case 6: {
                // The crew vessel made last, or any.
                std::string crew;
                for (const std::string& name : test_support::WalkingCrewVessels(sim_)) {
                    if (sentIn_.count(name) == 0 && (crew.empty() || Pick(3) != 0)) crew = name;
                }
                if (!crew.empty()) {
                    sim_.Walk(crew, kReceivers[Pick(3)]);
                    sentIn_.insert(crew);
                }
                break;
            }
            case 7:
                // One peer's transfer at a time: the transfer file holds one record.
                if (test_support::TransferVessels(sim_).empty()) {
                    const std::string receiver = kReceivers[Pick(3)];
                    const std::string member = "Sci-P" + std::to_string(made_++);
                    Made(SendAsPeer(sim_, receiver, member, 40, 66, 70));
                    sentIn_.insert(test_support::PeerTransferName(receiver));
                }
                break;
            default:
                sim_.Run(0.02 * (1 + Pick(10)));
                break;
        }
    }

    void Checkpoint() {
        sim_.Run(kArrivalBound);
        for (const char* ship : kReceivers) {
            Names roster = test_support::RosterNames(sim_, ship);
            arrivals += static_cast<int>(roster.size());
            // Two arrivals in one airlock may come in either order.
            std::sort(roster.begin(), roster.end());
            std::string line = std::string(ship) + ":";
            for (const std::string& name : roster) line += " " + name;
            record_.push_back(line);
        }
        Names left = sim_.VesselNames();
        std::sort(left.begin(), left.end());
        std::string line = "left:";
        for (const std::string& name : left) line += " " + name;
        record_.push_back(line);
        for (auto it = sentIn_.begin(); it != sentIn_.end();) {
            it = sim_.FindVessel(*it) == nullptr ? sentIn_.erase(it) : std::next(it);
        }
        record_.push_back("still in an airlock: " + std::to_string(sentIn_.size()));
    }

    sim::Simulator sim_;
    std::mt19937 random_;
    std::vector<std::string> record_;
    std::set<std::string> sentIn_;
    std::set<OBJHANDLE> freed_;
    int made_ = 0;
};

TEST(ArrivalsAtReusedHandles, TheIndexTakesWhatThePlainScanTakes) {
    int arrivals = 0;
    int reused = 0;
    for (const unsigned seed : {11U, 12U, 13U, 14U}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::vector<std::string> byIndex;
        {
            ArrivalSession indexed(QM_MODULE_PATH, seed);
            byIndex = indexed.Play(300, 30);
            arrivals += indexed.arrivals;
            reused += indexed.reused;
        }
        const std::vector<std::string> byPlain =
            ArrivalSession(QM_PLAIN_MODULE_PATH, seed).Play(300, 30);
        ASSERT_EQ(byIndex.size(), byPlain.size());
        for (std::size_t i = 0; i < byIndex.size(); ++i) {
            ASSERT_EQ(byIndex[i], byPlain[i]) << "first difference at record line " << i;
            if (byIndex[i].rfind("still in an airlock: ", 0) == 0) {
                EXPECT_EQ(byIndex[i], "still in an airlock: 0");
            }
        }
    }
    // The sessions must bring crew aboard at reused handles, or they would compare nothing.
    EXPECT_GT(arrivals, 40);
    EXPECT_GT(reused, 40);
}

}  // namespace
}  // namespace robustness
