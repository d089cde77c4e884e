// Seeded random sessions: ships pressing keys, docking and undocking, transfers between docked
// ships (many under way at once), crew vessels walking into airlocks and arriving from elsewhere
// with punctuation in their names, receivers closing their airlocks or deleted while a transfer
// waits for them, time acceleration, saves and loads at any moment, ships and crew vessels deleted,
// ships whose long names share their first 36 characters and ships whose long names begin apart,
// and ships of another add-on sending members as the crew add-on's published hand-over lays it
// down (overwriting the hand-over file, their vessels' names cut to 38 characters, now and then
// with the age, pulse and weight of a member of this module). After every operation each member
// is in exactly one place (aboard a ship, in a crew vessel or in a transfer vessel) and every ship
// publishes the free seats its roster leaves. What the published hand-over cannot tell apart is
// allowed for, and nothing more: a member a peer sent may arrive under the name of another member
// a peer sent, or as "Unknown", when the one hand-over file no longer holds their record; the
// members of this module's ships keep their names exactly. At the end, with every airlock open,
// every transfer has arrived or gone back into free space.
//
// The suite runs a short session. A long one (50 ships, 10 000 operations):
//   QUILLMAR_SOAK=long build/tests/robustness/robustness_tests --gtest_filter='CrewSoak*'
// QUILLMAR_SOAK_SEED=<number> picks another seed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "host/CrewAddon.h"
#include "testing/CrewVessels.h"
#include "testing/DockedPair.h"
#include "testing/PeerTransfer.h"
#include "testing/PublishedAirlocks.h"
#include "testing/Roster.h"
#include "testing/ShipModule.h"
#include "tests/robustness/CrewCensus.h"
#include "tests/vessel/ShipHarness.h"

namespace robustness {
namespace {

using test_support::CrewName;
using test_support::kShipClass;
using test_support::TransferVessels;

struct SoakSize {
    int ships;
    int operations;
};
constexpr SoakSize kShortSoak{20, 4000};
constexpr SoakSize kLongSoak{50, 10000};
constexpr unsigned kDefaultSeed = 20261210;

constexpr int kPorts = 7;
constexpr int kMostInitialCrew = 4;
constexpr const char* kCodes[] = {"Capt", "Tech", "Sci", "Doc", "", "D.c"};
// Codes of peers' members, some with characters a crew line cannot carry.
constexpr const char* kPeerCodes[] = {"Capt", "Sci", "", "D.c", "C;d", "T\tb", "X\nEN", "Y z"};
constexpr const char* kKeys[] = {"E", "E", "E", "1",         "2",         "A",
                                 "A", "S", "C", "Shift+KP+", "Shift+KP-", "Ctrl+1"};
// Ship names: every sixth shares this beginning, longer than a hand-over name field holds behind
// "UMmuT"; every sixth ends with the other, their first 33 characters apart; every third holds
// punctuation.
constexpr char kLongNamePrefix[] = "Outer_belt_ore_carrier_of_the_guild_";
constexpr char kLongNameSuffix[] = "_long_haul_tender_of_the_outer_belt";
// The name a member whom nothing names comes out under, with the number a taken name gets.
constexpr char kUnknown[] = "Unknown";
// What the census counts a peer's transfer vessel under way as.
constexpr char kPeerInTransit[] = "(a peer's member in transit)";
// Member names: a number each keeps them apart; some carry characters a roster turns to blanks.
constexpr const char* kNameEndings[] = {"", "", ".q", "_r", "'s"};
// Frame lengths, seconds: the simulator's default, and one under time acceleration.
constexpr double kStep = 0.02;
constexpr double kAcceleratedStep = 0.3;
// The simulated time a settling run gives every airlock's scan, seconds.
constexpr double kSettleSeconds = 1.0;

// One session: the simulator (remade by every load, in the same root folder), the people alive,
// and the dice.
class CrewSoak {
  public:
    explicit CrewSoak(unsigned seed) : random_(seed) {
        const std::string unique = std::to_string(std::random_device{}());
        saved_ = std::filesystem::temp_directory_path() / ("quillmar-soak-" + unique + ".scn");
        root_ = std::filesystem::temp_directory_path() / ("quillmar-soak-root-" + unique);
    }
    ~CrewSoak() {
        sim_.reset();
        std::error_code ignored;
        std::filesystem::remove(saved_, ignored);
        std::filesystem::remove_all(root_, ignored);
    }

    void Start(int ships) {
        // The first simulator's fresh root is copied once; every later one works in the copy, so
        // the hand-over files stay across loads as they stay in a player's simulator folder.
        sim_ = std::make_unique<sim::Simulator>();
        std::filesystem::copy(sim_->Root(), root_, std::filesystem::copy_options::recursive);
        StartSimulator();
        quillmar_test::Ships blocks;
        for (int i = 0; i < ships; ++i) blocks.push_back(NewShip(ShipName(i)));
        quillmar_test::LoadShips(*sim_, blocks);
        living_ = Census();
    }

    // Runs the operations, checking after each; stops at the first broken rule.
    void Run(int operations) {
        for (int op = 0; op < operations; ++op) {
            Operate();
            ForgetResolvedPeerVessels();
            Check(op);
            if (testing::Test::HasFailure()) return;
        }
    }

    // Every airlock opened and time enough for every scan: no transfer is left waiting.
    void Settle() {
        for (const std::string& ship : Ships()) {
            if (PublishedAirlockState(ship) == 0) sim_->PressKey(ship, "A");
        }
        sim_->Run(kSettleSeconds);
        ForgetResolvedPeerVessels();
        operation_ = "settle";
        Check(-1);
        EXPECT_EQ(TransferVessels(*sim_), std::vector<std::string>{}) << "stranded transfers";
    }

    // What the session did that moved people or state around.
    struct Tally {
        int evas = 0;
        int transfers = 0;
        int transfersWhilePending = 0;
        int mostPending = 0;
        int transfersEnded = 0;
        int returnedToFreeSpace = 0;
        int arrivals = 0;
        int loads = 0;
        int loadsInFlight = 0;
        int receiversClosed = 0;
        int receiversDeleted = 0;
        int punctuatedWalkers = 0;
        int acceleratedRuns = 0;
        int peerTransfers = 0;
        int peerCodesWithSeparators = 0;
        int peerTransfersToCutNames = 0;
        int peerNumbersShared = 0;
        int loadsWithPeersInFlight = 0;
        int peerMembersUnknown = 0;
    } tally;

  private:
    void StartSimulator() {
        sim_.reset();
        sim::SimulatorOptions options;
        options.root = root_;
        sim_ = std::make_unique<sim::Simulator>(options);
        test_support::RegisterShipModule(*sim_);
    }

    static std::string ShipName(int i) {
        const std::string number = std::to_string(i);
        switch (i % 3) {
            case 0:
                return i % 2 == 0 ? kLongNamePrefix + number : "S" + number + kLongNameSuffix;
            case 1:
                return "S" + number + ".b-x";
            default:
                return "S" + number;
        }
    }

    std::string NewMemberName() {
        return "P" + std::to_string(++membersMade_) +
               kNameEndings[Uniform(0, static_cast<int>(std::size(kNameEndings)) - 1)];
    }

    const char* RandomCode() { return kCodes[Uniform(0, static_cast<int>(std::size(kCodes)) - 1)]; }

    // A ship's block with one to four members whose names no one else has.
    std::pair<std::string, quillmar_test::Block> NewShip(const std::string& ship) {
        quillmar_test::Block block{"STATUS Orbiting Earth", "RPOS 6778000 0 0", "RVEL 0 7668.5 0"};
        const int crew = Uniform(1, kMostInitialCrew);
        for (int m = 0; m < crew; ++m) {
            block.push_back("UMMUCREW " + std::string(RandomCode()) + "-" + NewMemberName() + "-" +
                            std::to_string(Uniform(20, 70)) + "-" +
                            std::to_string(Uniform(50, 120)) + "-" +
                            std::to_string(Uniform(40, 120)));
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
    std::vector<std::string> Ships() const {
        return test_support::VesselsOfClass(*sim_, kShipClass);
    }
    std::vector<std::string> Walkers() const { return test_support::WalkingCrewVessels(*sim_); }

    // The ship docked at the vessel's port 0 (the active port after set-up and every load), or
    // an empty name.
    std::string MateAtPortZero(const std::string& ship) const {
        return test_support::DockedAt(*sim_, ship, 0);
    }

    std::vector<std::string> RosterNames(const std::string& ship) const {
        return test_support::RosterNames(*sim_, ship);
    }
    int PublishedAirlockState(const std::string& ship) const {
        return test_support::PublishedAirlockState(*sim_, ship);
    }

    // The ships that pending transfers wait for and that still exist.
    std::vector<std::string> Receivers() const {
        std::vector<std::string> receivers;
        for (const std::string& transfer : TransferVessels(*sim_)) {
            const std::string ship = transfer.substr(crew_addon::kVesselPrefixLength);
            if (sim_->FindVessel(ship) != nullptr) receivers.push_back(ship);
        }
        return receivers;
    }

    // Where everyone is; a member whom nothing names counts as kUnknown, whatever number the
    // name of their crew vessel got.
    Headcount Census() const {
        Headcount count;
        for (const auto& [member, number] : CountEveryone(*sim_, peers_)) {
            const bool unknown =
                member.rfind(kUnknown, 0) == 0 &&
                member.find_first_not_of("0123456789", sizeof kUnknown - 1) == std::string::npos;
            count[unknown ? kUnknown : member] += number;
        }
        return count;
    }

    void Forget(const std::string& member) {
        if (--living_[member] == 0) living_.erase(member);
    }

    // Forgets whoever the vessel carried, whatever its kind, and deletes it.
    void DeleteCarrier(const std::string& name) {
        const Headcount before = Census();
        sim_->DeleteVessel(sim_->FindVessel(name));
        const Headcount after = Census();
        for (const auto& [member, number] : before) {
            const auto left = after.find(member);
            const int remaining = left == after.end() ? 0 : left->second;
            for (int i = remaining; i < number; ++i) Forget(member);
        }
    }

    // Presses E on the ship and counts what came of it.
    void PressE(const std::string& ship) {
        const std::size_t walking = Walkers().size();
        const std::size_t pending = TransferVessels(*sim_).size();
        const int result = sim_->PressKey(ship, "E");
        operation_ += " -> " + std::to_string(result);
        const std::size_t pendingAfter = TransferVessels(*sim_).size();
        tally.evas += Walkers().size() > walking ? 1 : 0;
        if (pendingAfter > pending) {
            ++tally.transfers;
            tally.transfersWhilePending += pending > 0 ? 1 : 0;
            tally.mostPending = std::max(tally.mostPending, static_cast<int>(pendingAfter));
        }
    }

    void Operate() {
        const std::vector<std::string> ships = Ships();
        const std::vector<std::string> walkers = Walkers();
        const int roll = Uniform(0, 99);
        if (ships.size() < 2 || roll < 2) {
            // Through a scenario of its own: a ship made by the host would bring the default
            // member, whose name every such ship shares.
            const std::string name = ShipName(++shipsMade_ + 1000);
            quillmar_test::LoadShips(*sim_, {NewShip(name)});
            for (const std::string& member : RosterNames(name)) ++living_[member];
            operation_ = "add ship " + name;
        } else if (roll < 14) {
            const std::string& ship = Pick(ships);
            const std::string key = kKeys[Uniform(0, static_cast<int>(std::size(kKeys)) - 1)];
            operation_ = "key " + ship + " " + key;
            if (key == "E") {
                PressE(ship);
            } else {
                operation_ += " -> " + std::to_string(sim_->PressKey(ship, key));
            }
        } else if (roll < 47) {
            Transfer(ships);
        } else if (roll < 52) {
            PeerSend(ships);
        } else if (roll < 62) {
            const std::string& ship = Pick(ships);
            const std::string& other = Pick(ships);
            // Most dockings at port 0, the active port after set-up and every load.
            const int port = Uniform(0, 3) != 0 ? 0 : Uniform(1, kPorts - 1);
            const int otherPort = Uniform(0, 1) == 0 ? 0 : Uniform(1, kPorts - 1);
            operation_ = "dock " + ship + " " + std::to_string(port) + " " + other + " " +
                         std::to_string(otherPort);
            try {
                sim_->Dock(ship, port, other, otherPort);
            } catch (const sim::InputError&) {
                operation_ += " (refused)";
            }
        } else if (roll < 65) {
            const std::string& ship = Pick(ships);
            const int port = Uniform(0, kPorts - 1);
            operation_ = "undock " + ship + " " + std::to_string(port);
            sim_->Undock(ship, port);
        } else if (roll < 70 && !walkers.empty()) {
            const std::string& walker = Pick(walkers);
            const std::string& ship = Pick(ships);
            operation_ = "walk " + walker + " " + ship;
            sim_->Walk(walker, ship);
        } else if (roll < 72) {
            ArriveFromElsewhere(ships);
        } else if (roll < 87) {
            // Now and then under time acceleration: every frame's step above the scan interval,
            // so every open airlock scans in every frame.
            const bool accelerated = Uniform(0, 3) == 0;
            const double seconds = accelerated ? Uniform(3, 12) / 10.0 : Uniform(1, 6) / 10.0;
            operation_ =
                std::string(accelerated ? "accelerated " : "") + "run " + std::to_string(seconds);
            if (accelerated) sim_->SetStep(kAcceleratedStep);
            RunCounting(seconds);
            if (accelerated) sim_->SetStep(kStep);
            tally.acceleratedRuns += accelerated ? 1 : 0;
        } else if (roll < 89 && !walkers.empty()) {
            const std::string& walker = Pick(walkers);
            operation_ = "delete crew vessel " + walker;
            DeleteCarrier(walker);
        } else if (roll < 90 && !TransferVessels(*sim_).empty()) {
            const std::string transfer = Pick(TransferVessels(*sim_));
            operation_ = "delete transfer vessel " + transfer;
            DeleteCarrier(transfer);
        } else if (roll < 93) {
            // Half of them a ship that a transfer waits for.
            const std::vector<std::string> receivers = Receivers();
            const bool receiver = !receivers.empty() && Uniform(0, 1) == 0;
            const std::string ship = receiver ? Pick(receivers) : Pick(ships);
            operation_ = "delete ship " + ship;
            tally.receiversDeleted += receiver ? 1 : 0;
            DeleteCarrier(ship);
        } else if (roll < 96 && !Receivers().empty()) {
            const std::string ship = Pick(Receivers());
            if (PublishedAirlockState(ship) == 1) {
                operation_ = "close the airlock of receiver " + ship;
                ++tally.receiversClosed;
            } else {
                operation_ = "open the airlock of receiver " + ship;
            }
            sim_->PressKey(ship, "A");
        } else {
            operation_ = "save and load";
            ++tally.loads;
            tally.loadsInFlight += TransferVessels(*sim_).empty() ? 0 : 1;
            tally.loadsWithPeersInFlight += peers_.empty() ? 0 : 1;
            sim_->SaveScenario(saved_);
            StartSimulator();
            sim_->LoadScenario(saved_);
        }
    }

    // A ship docked at its port 0 sends a member over: its airlock and, mostly, the other ship's
    // are opened first, as a pilot would. When no ship is docked there, or now and then, two
    // ships dock at their ports 0 first.
    void Transfer(const std::vector<std::string>& ships) {
        std::vector<std::string> docked;
        for (const std::string& ship : ships) {
            if (!MateAtPortZero(ship).empty()) docked.push_back(ship);
        }
        std::string docking;
        if (docked.empty() || Uniform(0, 3) == 0) {
            const std::string& ship = Pick(ships);
            const std::string& other = Pick(ships);
            try {
                sim_->Dock(ship, 0, other, 0);
                docked = {ship};
                docking = "dock " + ship + " 0 " + other + " 0, then ";
            } catch (const sim::InputError&) {
                if (docked.empty()) {
                    operation_ = "transfer: nobody docked";
                    return;
                }
            }
        }
        const std::string& ship = Pick(docked);
        const std::string mate = MateAtPortZero(ship);
        operation_ = docking + "transfer " + ship + " to " + mate;
        if (PublishedAirlockState(ship) == 0) sim_->PressKey(ship, "A");
        if (PublishedAirlockState(mate) == 0 && Uniform(0, 4) != 0) sim_->PressKey(mate, "A");
        PressE(ship);
    }

    // A ship of another add-on sends a new member to one of the ships. Now and then the member
    // has the age, pulse and weight of a member of this module aboard a ship (not those of another
    // peer's member under way: two peer vessels alike, with one hand-over file between them, can
    // be told apart by nobody), so that a later transfer of that member leaves a record in the
    // hand-over file that the peer's vessel matches.
    void PeerSend(const std::vector<std::string>& ships) {
        const std::string& receiver = Pick(ships);
        const std::string vessel = test_support::PeerTransferName(receiver);
        operation_ = "peer transfer to " + receiver;
        if (sim_->FindVessel(vessel) != nullptr) {
            operation_ += ": one under way";
            return;
        }
        // Peers' codes may hold what a crew line cannot carry.
        const std::string code =
            kPeerCodes[Uniform(0, static_cast<int>(std::size(kPeerCodes)) - 1)];
        const std::string member = NewMemberName();
        const std::string memberString = code.empty() ? member : code + "-" + member;
        tally.peerCodesWithSeparators += code.find_first_of(";\t\n ") != std::string::npos ? 1 : 0;
        PeerMember peer{CrewName(member), Uniform(20, 70), Uniform(50, 120), Uniform(40, 120)};
        if (Uniform(0, 2) == 0) {
            const std::vector<test_support::CrewLine> crew =
                test_support::Roster(*sim_, Pick(ships));
            if (!crew.empty()) {
                const test_support::CrewLine& alike = Pick(crew);
                const PeerMember shared{peer.member, alike.age, alike.pulse, alike.weight};
                if (!PeerNumbersTaken(shared)) {
                    peer = shared;
                    ++tally.peerNumbersShared;
                    operation_ += " (numbers of " + alike.name + ")";
                }
            }
        }
        if (test_support::SendAsPeer(*sim_, receiver, memberString, peer.age, peer.pulse,
                                     peer.weight) == nullptr) {
            return;
        }
        operation_ += ": " + memberString;
        peers_[vessel] = kPeerInTransit;
        peerNumbers_[vessel] = peer;
        peerSent_.insert(peer.member);
        ++living_[kPeerInTransit];
        ++tally.peerTransfers;
        tally.peerTransfersToCutNames += vessel.size() < receiver.size() + 5 ? 1 : 0;
    }

    struct PeerMember {
        std::string member;
        int age;
        int pulse;
        int weight;
    };

    bool PeerNumbersTaken(const PeerMember& numbers) const {
        for (const auto& [vessel, peer] : peerNumbers_) {
            if (peer.age == numbers.age && peer.pulse == numbers.pulse &&
                peer.weight == numbers.weight) {
                return true;
            }
        }
        return false;
    }

    // A peer's vessel that is gone was taken, sent into free space or deleted; its name may
    // come again, with another member.
    void ForgetResolvedPeerVessels() {
        for (auto peer = peers_.begin(); peer != peers_.end();) {
            if (sim_->FindVessel(peer->first) != nullptr) {
                ++peer;
            } else {
                peerNumbers_.erase(peer->first);
                peer = peers_.erase(peer);
            }
        }
    }

    // What the published hand-over cannot tell apart. Every peer's transfer writes the one
    // hand-over file, and a vessel saved in flight comes back without the numbers that matched it
    // to its record: the record it finds may be another peer's member's (whose own vessel then
    // finds none), or that of a peer's vessel deleted before any ship saw it; a member whose
    // record another transfer overwrote comes out as kUnknown. So the census counts the members
    // of the peers' vessels under way together (kPeerInTransit), and each that ends its transfer
    // is a member a peer sent, who is nowhere else, or kUnknown. Members of this module's ships
    // keep their names exactly.
    void AcceptWhatThePeersFileCannotTell(const Headcount& found) {
        const auto number = [](const Headcount& count, const std::string& member) {
            const auto entry = count.find(member);
            return entry == count.end() ? 0 : entry->second;
        };
        const int ended = number(living_, kPeerInTransit) - number(found, kPeerInTransit);
        if (ended <= 0) return;
        std::vector<std::string> more;
        for (const auto& [member, count] : found) {
            const int surplus = count - number(living_, member);
            if (surplus < 0 && member != kPeerInTransit) return;  // the check fails
            if (surplus <= 0) continue;
            if (member != kUnknown && (count > 1 || peerSent_.count(member) == 0)) return;
            for (int i = 0; i < surplus; ++i) more.push_back(member);
        }
        if (static_cast<int>(more.size()) != ended) return;
        living_[kPeerInTransit] -= ended;
        if (living_[kPeerInTransit] == 0) living_.erase(kPeerInTransit);
        for (const std::string& member : more) {
            ++living_[member];
            tally.peerMembersUnknown += member == kUnknown ? 1 : 0;
        }
    }

    // A crew vessel of the add-on's class made by someone else (another ship's module, the
    // pilot's scenario editor) that walks into a ship's airlock; its name holds punctuation.
    void ArriveFromElsewhere(const std::vector<std::string>& ships) {
        const std::string member = NewMemberName() + ".x";
        const std::string vessel =
            std::string(crew_addon::kCrewVesselPrefix) + RandomCode() + "-" + member;
        const int age = Uniform(20, 70);
        const int pulse = Uniform(50, 120);
        const int weight = Uniform(40, 120);
        operation_ = "crew vessel " + vessel + " arrives from elsewhere";
        if (test_support::CreateCrewVessel(*sim_, vessel, age, pulse, weight) == nullptr) return;
        ++living_[CrewName(member)];
        ++tally.punctuatedWalkers;
        sim_->Walk(vessel, Pick(ships));
    }

    void RunCounting(double seconds) {
        const std::size_t walking = Walkers().size();
        const std::size_t pending = TransferVessels(*sim_).size();
        sim_->Run(seconds);
        const std::size_t walkingAfter = Walkers().size();
        const std::size_t pendingAfter = TransferVessels(*sim_).size();
        const std::size_t transfersEnded = pending - std::min(pending, pendingAfter);
        // A transfer vessel that goes back into free space leaves a crew vessel in its place.
        const std::size_t returned =
            std::min(transfersEnded, walkingAfter - std::min(walkingAfter, walking));
        tally.transfersEnded += static_cast<int>(transfersEnded);
        tally.returnedToFreeSpace += static_cast<int>(returned);
        tally.arrivals += static_cast<int>(
            (walking + pending) - std::min(walking + pending, walkingAfter + pendingAfter));
    }

    void Check(int op) {
        const std::string where = "after operation " + std::to_string(op) + ": " + operation_;
        const Headcount found = Census();
        AcceptWhatThePeersFileCannotTell(found);
        ASSERT_EQ(Difference(living_, found), "") << where;
        for (const std::string& ship : Ships()) {
            ASSERT_EQ(test_support::PublishedFreeSeats(*sim_, ship),
                      kSeats - static_cast<int>(RosterNames(ship).size()))
                << ship << " " << where;
        }
    }

    std::mt19937 random_;
    std::unique_ptr<sim::Simulator> sim_;
    Headcount living_;
    // The peers' transfer vessels under way, each counted as kPeerInTransit, and their members
    // with their numbers; and every member a peer ever sent.
    PeerMembers peers_;
    std::map<std::string, PeerMember> peerNumbers_;
    std::set<std::string> peerSent_;
    std::string operation_;
    int shipsMade_ = 0;
    int membersMade_ = 0;
    std::filesystem::path saved_;
    std::filesystem::path root_;
};

TEST(CrewSoak, NobodyLostDuplicatedOrStrandedInRandomSessions) {
    const char* size = std::getenv("QUILLMAR_SOAK");
    const SoakSize soak = (size != nullptr && std::string(size) == "long") ? kLongSoak : kShortSoak;
    const char* seedText = std::getenv("QUILLMAR_SOAK_SEED");
    const unsigned seed = seedText != nullptr
                              ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10))
                              : kDefaultSeed;
    SCOPED_TRACE(testing::Message() << "seed " << seed);
    CrewSoak session(seed);
    session.Start(soak.ships);
    session.Run(soak.operations);
    if (testing::Test::HasFailure()) return;
    session.Settle();
    const CrewSoak::Tally& done = session.tally;
    std::cout << "soak: " << done.evas << " EVAs, " << done.transfers << " transfers ("
              << done.transfersWhilePending << " while another was under way, at most "
              << done.mostPending << " under way at once), " << done.transfersEnded
              << " transfers ended (" << done.returnedToFreeSpace << " back into free space), "
              << done.arrivals << " arrivals, " << done.acceleratedRuns
              << " runs under time acceleration, " << done.punctuatedWalkers
              << " crew vessels with punctuated names, " << done.receiversClosed
              << " receivers closed and " << done.receiversDeleted << " deleted mid-transfer, "
              << done.loads << " saves and loads (" << done.loadsInFlight
              << " with transfers under way, " << done.loadsWithPeersInFlight
              << " with peers' transfers), " << done.peerTransfers << " transfers from peers ("
              << done.peerTransfersToCutNames << " to names they cut, " << done.peerNumbersShared
              << " with a member's numbers, " << done.peerCodesWithSeparators
              << " with separators in their codes, " << done.peerMembersUnknown
              << " came out unknown)\n";
    // Each situation the session is there to reach came about at least once.
    const std::pair<const char*, int> reached[] = {
        {"EVAs", done.evas},
        {"transfers while another was under way", done.transfersWhilePending},
        {"transfers back into free space", done.returnedToFreeSpace},
        {"arrivals", done.arrivals},
        {"loads with transfers under way", done.loadsInFlight},
        {"receivers closed mid-transfer", done.receiversClosed},
        {"receivers deleted mid-transfer", done.receiversDeleted},
        {"crew vessels with punctuated names", done.punctuatedWalkers},
        {"runs under time acceleration", done.acceleratedRuns},
        {"transfers from peers", done.peerTransfers},
        {"peers' transfers to names they cut", done.peerTransfersToCutNames},
        {"peers' members with a member's numbers", done.peerNumbersShared},
        {"peers' members with separators in their codes", done.peerCodesWithSeparators},
        {"loads with peers' transfers under way", done.loadsWithPeersInFlight},
    };
    for (const auto& [what, count] : reached) EXPECT_GT(count, 0) << what;
}

}  // namespace
}  // namespace robustness
