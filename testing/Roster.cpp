#include "testing/Roster.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <stdexcept>

#include "host/CrewAddon.h"
#include "testing/PublishedAirlocks.h"

namespace test_support {
namespace {

constexpr char kCrewKey[] = "UMMUCREW ";
constexpr std::size_t kCrewFields = 5;
// The ship's seats: a ship publishes the seats its members leave free.
constexpr int kShipSeats = 50;

}  // namespace

std::vector<CrewLine> Roster(const sim::Simulator& simulator, const std::string& ship) {
    std::vector<CrewLine> crew;
    if (simulator.FindVessel(ship) == nullptr) return crew;
    // A ship with the crew add-on writes its members' lines first, then the lines it keeps
    // unread; one without it keeps every line, and each stands for a member.
    const int freeSeats = PublishedFreeSeats(simulator, ship);
    const std::size_t members =
        freeSeats < 0 ? SIZE_MAX : static_cast<std::size_t>(std::max(kShipSeats - freeSeats, 0));
    for (const std::string& line : simulator.StateLines(ship)) {
        if (line.rfind(kCrewKey, 0) != 0) continue;
        if (crew.size() == members) break;
        // Codes and names that the module writes hold no hyphen.
        std::vector<std::string> fields;
        std::size_t start = std::strlen(kCrewKey);
        for (std::size_t hyphen; (hyphen = line.find('-', start)) != std::string::npos;
             start = hyphen + 1) {
            fields.push_back(line.substr(start, hyphen - start));
        }
        fields.push_back(line.substr(start));
        if (fields.size() != kCrewFields) {
            throw std::runtime_error("crew line of " + ship + " has not five fields: " + line);
        }
        crew.push_back({fields[0], CrewName(fields[1]), std::stoi(fields[2]), std::stoi(fields[3]),
                        std::stoi(fields[4])});
    }
    return crew;
}

std::vector<std::string> RosterNames(const sim::Simulator& simulator, const std::string& ship) {
    std::vector<std::string> names;
    for (const CrewLine& member : Roster(simulator, ship)) names.push_back(member.name);
    return names;
}

std::string CrewName(std::string name) {
    for (char& c : name) {
        const bool kept =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!kept) c = ' ';
    }
    return name;
}

std::string MemberOfCrewVesselName(const std::string& vesselName) {
    std::string member =
        vesselName.substr(std::min(vesselName.size(), crew_addon::kVesselPrefixLength));
    const std::size_t hyphen = member.find('-');
    if (hyphen != std::string::npos) member = member.substr(hyphen + 1);
    return CrewName(member);
}

}  // namespace test_support
