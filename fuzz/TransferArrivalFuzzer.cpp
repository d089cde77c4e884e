// A transfer between two docked ships whose hand-over file holds arbitrary bytes when the
// receiver finds the transfer vessel: the receiver takes exactly one member and deletes the file
// and the vessel; the sender has one member fewer.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>

#include "fuzz/FuzzWorld.h"
#include "host/CrewAddon.h"

namespace {

constexpr char kSender[] = "Sender";
constexpr char kReceiver[] = "Receiver";
constexpr char kTransferVessel[] = "UMmuTReceiver";
constexpr char kTransferFile[] = "config/UMmutmpT.cfg";
// Long enough for two arrival scans whatever the receiver's first scan time.
constexpr double kArrivalSeconds = 0.6;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzz_world::Require;
    using fuzz_world::Roster;
    sim::Simulator& sim = fuzz_world::Simulator();
    fuzz_world::Clear();
    sim.CreateVessel(kSender, fuzz_world::kShipClass);
    sim.CreateVessel(kReceiver, fuzz_world::kShipClass);
    sim.Dock(kSender, 0, kReceiver, 0);
    sim.PressKey(kSender, "A");
    sim.PressKey(kReceiver, "A");
    const auto sent = Roster(kSender);
    const auto received = Roster(kReceiver);

    sim.PressKey(kSender, "E");
    Require(sim.FindVessel(kTransferVessel) != nullptr, "the sender made the transfer vessel");
    const std::filesystem::path file = sim.Root() / kTransferFile;
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    sim.Run(kArrivalSeconds);

    Require(sim.FindVessel(kTransferVessel) == nullptr, "the receiver took the transfer vessel");
    Require(!std::filesystem::exists(file), "the receiver deleted the transfer file");
    const auto sentAfter = Roster(kSender);
    const auto receivedAfter = Roster(kReceiver);
    Require(sentAfter.size() + 1 == sent.size(), "the sender has one member fewer");
    Require(receivedAfter.size() == received.size() + 1, "the receiver has one member more");
    if (size < sizeof(crew_addon::HandOverRecord)) {
        // A file shorter than a record is not taken; the record the sender wrote stands.
        Require(receivedAfter.back() == sent.front(), "the member who left arrived");
    }
    return 0;
}
