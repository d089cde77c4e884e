// A transfer between two docked ships whose hand-over file holds arbitrary bytes when the
// receiver finds the transfer vessel: the receiver takes the member the transfer vessel names and
// deletes the vessel; the sender has one member fewer. The file goes too, unless it holds a whole
// record of another member, which is another transfer's.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "fuzz/FuzzWorld.h"
#include "host/CrewAddon.h"
#include "testing/DockedPair.h"
#include "testing/RootFiles.h"
#include "testing/Roster.h"

namespace {

constexpr char kSender[] = "Sender";
constexpr char kReceiver[] = "Receiver";
constexpr char kTransferVessel[] = "UMmuTReceiver";
// The function code of the member the sender sends, its default member's.
constexpr char kSentCode[] = "Pass";
// Long enough for two arrival scans whatever the receiver's first scan time.
constexpr double kArrivalSeconds = 0.6;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzz_world::Require;
    sim::Simulator& sim = fuzz_world::Simulator();
    fuzz_world::Clear();
    test_support::CreateDockedPair(sim, kSender, kReceiver, true);
    const auto sent = test_support::RosterNames(sim, kSender);
    const auto received = test_support::RosterNames(sim, kReceiver);

    sim.PressKey(kSender, "E");
    Require(sim.FindVessel(kTransferVessel) != nullptr, "the sender made the transfer vessel");
    const std::filesystem::path file = test_support::WriteRootFile(
        sim, crew_addon::kTransferFile, std::string(reinterpret_cast<const char*>(data), size));
    sim.Run(kArrivalSeconds);

    Require(sim.FindVessel(kTransferVessel) == nullptr, "the receiver took the transfer vessel");
    const auto sentAfter = test_support::RosterNames(sim, kSender);
    const auto receivedAfter = test_support::RosterNames(sim, kReceiver);
    Require(sentAfter.size() + 1 == sent.size(), "the sender has one member fewer");
    Require(receivedAfter.size() == received.size() + 1, "the receiver has one member more");
    Require(receivedAfter.back() == sent.front(), "the member who left arrived");

    crew_addon::HandOverRecord record{};
    const bool whole = size >= sizeof record;
    if (whole) std::memcpy(&record, data, sizeof record);
    const std::string expected =
        crew_addon::kCrewVesselPrefix + std::string(kSentCode) + "-" + sent.front();
    const bool another =
        whole && std::strncmp(record.vesselName, expected.c_str(), crew_addon::kNameFieldSize) != 0;
    Require(std::filesystem::exists(file) == another,
            "the file stays only with a whole record of another member");
    return 0;
}
