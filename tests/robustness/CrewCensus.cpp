#include "tests/robustness/CrewCensus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <optional>

#include "crew/TransferVessel.h"
#include "host/CrewAddon.h"
#include "sim/World.h"

namespace robustness {
namespace {

constexpr char kCrewKey[] = "UMMUCREW ";

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The member in the transfer file: its name field, "UMmu_" + member string.
std::string TransferFileMember(const sim::Simulator& sim) {
    std::ifstream in(sim.Root() / "config" / "UMmutmpT.cfg", std::ios::binary);
    crew_addon::HandOverRecord record{};
    if (!in.read(reinterpret_cast<char*>(&record), sizeof record)) return "(no transfer file)";
    return MemberOfCrewVesselName(
        std::string(record.vesselName, strnlen(record.vesselName, sizeof record.vesselName)));
}

// The member a transfer vessel carries: the member string of its "U-Mm" attachment, or, for one
// that names none, the transfer file's.
std::string TransferMember(const sim::Simulator& sim, const sim::SimVessel& vessel) {
    transfer_vessel::Carried carried;
    if (vessel.vesselInterface != nullptr &&
        transfer_vessel::Read(*vessel.vesselInterface, carried) && carried.named) {
        return MemberOfCrewVesselName(crew_addon::kCrewVesselPrefix +
                                      std::string(carried.memberString));
    }
    return TransferFileMember(sim);
}

}  // namespace

std::vector<CrewLine> Roster(const std::string& ship) {
    sim::World& world = *sim::World::Current();
    std::vector<CrewLine> crew;
    sim::SimVessel* vessel = world.Find(ship);
    if (vessel == nullptr) return crew;
    for (const std::string& line : world.SaveState(vessel)) {
        if (!StartsWith(line, kCrewKey)) continue;
        // Names and codes that the module writes hold no hyphen.
        std::vector<std::string> fields;
        std::size_t start = std::strlen(kCrewKey);
        for (std::size_t hyphen; (hyphen = line.find('-', start)) != std::string::npos;
             start = hyphen + 1) {
            fields.push_back(line.substr(start, hyphen - start));
        }
        fields.push_back(line.substr(start));
        if (fields.size() != 5) {
            ADD_FAILURE() << "crew line of " << ship << " has not five fields: " << line;
            continue;
        }
        crew.push_back({fields[0], CrewName(fields[1]), std::stoi(fields[2]), std::stoi(fields[3]),
                        std::stoi(fields[4])});
    }
    return crew;
}

std::vector<std::string> RosterNames(const std::string& ship) {
    std::vector<std::string> names;
    for (const CrewLine& member : Roster(ship)) names.push_back(member.name);
    return names;
}

std::string MemberOfCrewVesselName(const std::string& vesselName) {
    std::string member = vesselName.substr(std::min(vesselName.size(), std::size_t{5}));
    const std::size_t hyphen = member.find('-');
    if (hyphen != std::string::npos) member = member.substr(hyphen + 1);
    return CrewName(member);
}

std::string CrewName(std::string name) {
    for (char& c : name) {
        const bool kept =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!kept) c = ' ';
    }
    return name;
}

Headcount CountEveryone(const sim::Simulator& sim) {
    Headcount count;
    for (const sim::SimVessel* vessel : sim::World::Current()->Vessels()) {
        if (vessel->className == kShipClass) {
            for (const std::string& name : RosterNames(vessel->name)) ++count[name];
        } else if (vessel->kind == sim::VesselKind::CrewAddon) {
            if (StartsWith(vessel->name, crew_addon::kTransferVesselPrefix)) {
                ++count[TransferMember(sim, *vessel)];
            } else {
                ++count[MemberOfCrewVesselName(vessel->name)];
            }
        }
    }
    return count;
}

std::string Difference(const Headcount& expected, const Headcount& found) {
    std::string text;
    for (const auto& [name, number] : expected) {
        const auto seen = found.find(name);
        const int seenNumber = seen == found.end() ? 0 : seen->second;
        if (seenNumber != number) {
            text += name + ": expected " + std::to_string(number) + ", found " +
                    std::to_string(seenNumber) + "; ";
        }
    }
    for (const auto& [name, number] : found) {
        if (expected.count(name) == 0) {
            text += name + ": expected 0, found " + std::to_string(number) + "; ";
        }
    }
    return text;
}

namespace {

// The rotation vector of the ship's published airlock: door state, aux value, free seats.
std::optional<VECTOR3> PublishedNumbers(const std::string& ship) {
    const sim::SimVessel* vessel = sim::World::Current()->Find(ship);
    if (vessel == nullptr) return std::nullopt;
    for (const auto& attachment : vessel->attachments[0]) {
        if (attachment->id == crew_addon::kAirlockAttachmentId) return attachment->rot;
    }
    return std::nullopt;
}

}  // namespace

int PublishedFreeSeats(const std::string& ship) {
    const auto numbers = PublishedNumbers(ship);
    return numbers ? static_cast<int>(numbers->z) : -1;
}

int PublishedAirlockState(const std::string& ship) {
    const auto numbers = PublishedNumbers(ship);
    return numbers ? static_cast<int>(numbers->x) : -1;
}

std::vector<std::string> TransferVessels(const sim::Simulator& sim) {
    std::vector<std::string> names;
    for (const std::string& name : sim.VesselNames()) {
        if (StartsWith(name, crew_addon::kTransferVesselPrefix)) names.push_back(name);
    }
    return names;
}

}  // namespace robustness
